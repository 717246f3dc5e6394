#pragma once
// Conversion between an enumeration's values and their spellings in the settings file,
// each enumeration described by one table.
#include <cstddef>
#include <string>

namespace Configuration {

template <typename Enum>
struct EnumFileText {
    Enum value;
    const wchar_t* text;
};

// The file text of a value; empty for a value the table does not hold.
template <typename Enum, std::size_t N>
std::wstring ToFileText(const EnumFileText<Enum> (&table)[N], Enum value)
{
    for (const EnumFileText<Enum>& entry : table) {
        if (entry.value == value) {
            return entry.text;
        }
    }
    return std::wstring();
}

// Exact, case-sensitive comparison with the table's texts; `unrecognised` for any other text.
template <typename Enum, std::size_t N>
Enum FromFileText(const EnumFileText<Enum> (&table)[N], const std::wstring& text, Enum unrecognised)
{
    for (const EnumFileText<Enum>& entry : table) {
        if (text == entry.text) {
            return entry.value;
        }
    }
    return unrecognised;
}

} // namespace Configuration
