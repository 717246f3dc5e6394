#pragma once
#include <windows.h>

namespace Tolv {

// The "IME設定" page: name and hotkey of the first four IME slots of the edited copy.
INT_PTR CALLBACK ImePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace Tolv
