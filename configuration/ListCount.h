#pragma once
// Keys shared by every list in the settings file: "<prefix>.Count" and the
// element prefix "<prefix>[n]".
#include <string>

#include "flib/io/CIniFile.h"

namespace Configuration {

// The most elements a list reads from the file. A hand-edited count beyond it
// is cut here, so a typo such as 99999999 can neither stall start-up nor use up
// memory; real lists (a few slots, some dozens of conditions) stay far below it.
constexpr int kMaxListCount = 1024;

// The list's count, or -1 when the key is missing (or not a number): the list
// then keeps what it holds. Other negative values also read as -1.
int ReadListCount(Flib::IO::File::CIniFile& ini, const std::wstring& prefix);

std::wstring ElementPrefix(const std::wstring& prefix, int index);

} // namespace Configuration
