#include "flib/window/LoadResourceString.h"

#include <vector>

namespace Flib { namespace Windows { namespace Window {

int LoadResourceString(HINSTANCE instance, UINT id, std::wstring& out)
{
    constexpr int kBufferLength = 4096;
    std::vector<wchar_t> buffer(kBufferLength, L'\0');
    const int length = ::LoadStringW(instance, id, buffer.data(), kBufferLength);
    out.assign(buffer.data());
    return length;
}

}}} // namespace Flib::Windows::Window
