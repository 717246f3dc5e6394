#pragma once
// The tray menu is loaded fresh for every click; these marks make it tell the state.
#include "flib/window/CMenu.h"

namespace Tolv {

// 一時停止 checked while paused; Windows の起動時に実行 checked while the Run
// entry starts this tolv.exe.
void ShowStateInTrayMenu(Flib::Windows::Window::CMenu& popup, bool paused, bool startsWithWindows);

} // namespace Tolv
