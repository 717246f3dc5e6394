#pragma once
// Which process a foreground window's process facts come from.
#include <windows.h>

namespace Engine {

// A Store app's window is a frame of class "ApplicationFrameWindow" owned by
// ApplicationFrameHost.exe; the app's own process owns a "Windows.UI.Core.CoreWindow"
// child in it. For such a frame with such a child of another process: that process.
// Otherwise `windowProcessId`, the process that owns `window`.
DWORD ProcessDescribingWindow(HWND window, DWORD windowProcessId);

} // namespace Engine
