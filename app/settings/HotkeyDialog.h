#pragma once
#include <windows.h>

#include "flib/io/CKeys.h"

namespace Tolv {

// The modal hotkey dialog owned by `owner`, opened on `keys`. OK (1) rewrites
// them as [Alt] [Ctrl] [Shift] digit; Cancel or closing (2) leaves them alone.
// OK stays disabled until a digit is chosen, so a stored hotkey always ends
// with a digit key.
INT_PTR RunHotkeyDialog(HINSTANCE instance, HWND owner, Flib::IO::Input::CKeys& keys);

} // namespace Tolv
