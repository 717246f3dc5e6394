#include "app/settings/SettingsMessage.h"

#include <cstddef>
#include <vector>

#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

std::wstring FillIn(const std::wstring& pattern, std::initializer_list<std::wstring> values)
{
    const std::vector<std::wstring> fills(values);
    std::wstring text;
    for (std::wstring::size_type i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] >= L'1' && pattern[i + 1] <= L'9') {
            const std::size_t n = static_cast<std::size_t>(pattern[i + 1] - L'1');
            if (n < fills.size()) {
                text += fills[n];
                ++i;
                continue;
            }
        }
        text += pattern[i];
    }
    return text;
}

int ShowSettingsMessage(HINSTANCE instance, HWND owner, UINT textId, std::initializer_list<std::wstring> values, UINT type)
{
    std::wstring pattern;
    std::wstring caption;
    Flib::Windows::Window::LoadResourceString(instance, textId, pattern);
    Flib::Windows::Window::LoadResourceString(instance, IDS_APP_TITLE, caption);
    return ::MessageBoxW(owner, FillIn(pattern, values).c_str(), caption.c_str(), type);
}

} // namespace Tolv
