#pragma once
#include <windows.h>

namespace Tolv {

// Notification-area icon of the program and the message it calls back with.
constexpr UINT kTrayIconId = 101;
constexpr UINT kTrayCallbackMessage = WM_APP + 0x65;
// Balloons from the watcher thread are waiting; the parameters mean nothing.
constexpr UINT kBalloonMessage = WM_APP + 0x66;

// Handler of the hidden main window; on WM_CREATE lParam is its CWindowEx,
// whose user data is the settings file path (std::wstring*).
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace Tolv
