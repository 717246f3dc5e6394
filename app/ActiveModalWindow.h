#pragma once
#include <windows.h>

namespace Tolv {

// The settings sheet or the about box while one is open (main thread only):
// tray clicks and commands bring it to the front instead of doing anything else.
extern HWND ActiveModalWindow;

// Clears ActiveModalWindow when it still names `window`, so a window that
// closes never clears another one's claim.
void ReleaseActiveModalWindow(HWND window);

} // namespace Tolv
