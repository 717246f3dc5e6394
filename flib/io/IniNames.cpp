#include "flib/io/IniNames.h"

#include <windows.h>

#include <cstdint>

namespace Flib { namespace IO { namespace File {

bool IsIniBlank(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A;
}

std::wstring_view TrimLeadingIniBlanks(std::wstring_view text)
{
    std::size_t begin = 0;
    while (begin < text.size() && IsIniBlank(text[begin])) {
        ++begin;
    }
    return text.substr(begin);
}

std::wstring_view TrimIniBlanks(std::wstring_view text)
{
    text = TrimLeadingIniBlanks(text);
    std::size_t end = text.size();
    while (end > 0 && IsIniBlank(text[end - 1])) {
        --end;
    }
    return text.substr(0, end);
}

bool SameIniName(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() &&
           (a.empty() || ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                                TRUE) == CSTR_EQUAL);
}

std::size_t IniNameHash(std::wstring_view name)
{
    // Upper-casing maps a few letters outside ASCII onto ASCII ones (dotless i
    // onto I, long s onto S), so those two and everything outside ASCII hash
    // alike; digits, punctuation and the other letters keep the chains short.
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : name) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
        if (c >= 0x80 || c == L'I' || c == L'S') {
            c = 0xFFFF;
        }
        hash = (hash ^ static_cast<std::uint64_t>(c)) * 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
}

}}} // namespace Flib::IO::File
