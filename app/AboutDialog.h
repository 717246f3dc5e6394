#pragma once
#include <windows.h>

#include "app/ActiveModalWindow.h"

namespace Tolv {

// The modal version box owned by `owner`, run as `modal`'s window; returns 1
// for OK, 2 when closed.
INT_PTR ShowAboutDialog(HINSTANCE instance, HWND owner, ActiveModalWindow& modal);

} // namespace Tolv
