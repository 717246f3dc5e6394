#include "flib/window/FillIn.h"

#include <vector>

namespace Flib { namespace Windows { namespace Window {

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

}}} // namespace Flib::Windows::Window
