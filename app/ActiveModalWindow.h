#pragma once
#include <windows.h>

namespace Tolv {

// The settings sheet or the about box while one is open (main thread only):
// tray clicks bring it to the front instead of opening the menu.
extern HWND ActiveModalWindow;

} // namespace Tolv
