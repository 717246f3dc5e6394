#pragma once
// The event Windows raises when the foreground changes, raised by a test instead.
#include <windows.h>

namespace TolvTest {

// Makes `window` the foreground window and raises EVENT_SYSTEM_FOREGROUND for it in
// this process. Wine raises none itself, but delivers this one to an out-of-context
// hook of this process, such as the watcher thread's.
void ChangeForegroundWithEvent(HWND window);

// Brings `window` to the front until it has stayed there for `steadyMs`: Wine can
// pass an activation through a moment without any foreground window, or on to a
// window that appeared shortly before. False if it never settled.
bool SettleInFront(HWND window, ULONGLONG steadyMs = 200);

} // namespace TolvTest
