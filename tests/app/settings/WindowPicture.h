#pragma once
// Pictures of windows for docs/, written as 24-bit bitmap files.
#include <windows.h>

#include <string>

namespace TolvTest {

// Lets the window finish painting, then copies it off the screen into `path`.
bool SaveWindow(HWND window, const std::wstring& path);

} // namespace TolvTest
