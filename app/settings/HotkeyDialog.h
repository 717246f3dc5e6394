#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "flib/io/CKeys.h"

namespace Tolv {

// Another slot's hotkey, named as the user sees that slot ("IME-1: ATOK").
struct HotkeyInUse {
    std::wstring slotText;
    Flib::IO::Input::CKeys keys;
};

// The modal hotkey dialog owned by `owner`, opened on `keys` of the slot named
// `slotText` (shown in the caption). OK (1) rewrites them as [Alt] [Ctrl]
// [Shift] digit; Cancel or closing (2) leaves them alone. OK is enabled only
// with a modifier and a digit: a bare digit would be typed into the user's
// application. A combination one of `others` already has is pointed out and
// taken only when the user confirms it.
INT_PTR RunHotkeyDialog(HINSTANCE instance, HWND owner, const std::wstring& slotText,
                        const std::vector<HotkeyInUse>& others, Flib::IO::Input::CKeys& keys);

} // namespace Tolv
