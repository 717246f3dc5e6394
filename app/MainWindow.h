#pragma once
#include <windows.h>

namespace Tolv {

// Handler of the hidden main window; on WM_CREATE lParam is its CWindowEx,
// whose user data is the settings file path (std::wstring*).
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace Tolv
