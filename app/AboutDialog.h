#pragma once
#include <windows.h>

namespace Tolv {

// The modal version box owned by `owner`; returns 1 for OK, 2 when closed.
INT_PTR ShowAboutDialog(HINSTANCE instance, HWND owner);

} // namespace Tolv
