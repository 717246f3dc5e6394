#pragma once
// How the profile functions see names and the edges of lines: which characters
// are blanks, when two section or key names are the same.
#include <cstddef>
#include <string_view>

namespace Flib { namespace IO { namespace File {

// The blanks the profile functions trim: ASCII white space and ^Z (the DOS end
// of file). Wider blanks such as the ideographic space are kept.
bool IsIniBlank(wchar_t c);
std::wstring_view TrimIniBlanks(std::wstring_view text);
std::wstring_view TrimLeadingIniBlanks(std::wstring_view text);

// Names are compared without regard to case, code unit by code unit.
bool SameIniName(std::wstring_view a, std::wstring_view b);

// Equal for any two names that SameIniName calls the same, and different for
// most that it does not: the key of a hash index over names.
std::size_t IniNameHash(std::wstring_view name);

}}} // namespace Flib::IO::File
