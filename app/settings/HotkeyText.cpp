#include "app/settings/HotkeyText.h"

#include <windows.h>

namespace Tolv {

std::wstring HotkeyText(const Flib::IO::Input::CKeys& keys)
{
    std::wstring text;
    bool first = true;
    for (const Flib::IO::Input::CKey& key : keys) {
        if (!first) {
            text += L" + ";
        }
        first = false;
        switch (key.GetCode()) {
        case VK_SHIFT:
            text += L"Shift";
            break;
        case VK_CONTROL:
            text += L"Ctrl";
            break;
        case VK_MENU:
            text += L"Alt";
            break;
        default:
            // Digit and letter keys have the code of their character.
            text += static_cast<wchar_t>(key.GetCode());
            break;
        }
    }
    return text;
}

} // namespace Tolv
