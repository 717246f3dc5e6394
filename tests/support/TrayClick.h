#pragma once
// Real mouse clicks on the notification area of Wine's virtual desktop.
#include <windows.h>

#include <string>

namespace TolvTest {

// Starts the X11 tool xdotool with `arguments`. Wine runs it as a native
// process it cannot wait for: callers watch for its effect instead.
bool StartXdotool(const std::wstring& arguments);

// Centre of the rightmost notification-area slot, where the first icon added sits.
bool FirstTrayIconPoint(POINT& point);

// Right click at the first icon's slot; true once the cursor has arrived there
// (the click follows at once). Pumps this thread's messages meanwhile.
bool RightClickFirstTrayIcon();

} // namespace TolvTest
