#pragma once
// Texts taken apart and put out line by line.
#include <string>
#include <vector>

namespace TolvTest {

// The lines of `text`, split at each '\n'; one empty line for an empty text.
std::vector<std::wstring> Lines(const std::wstring& text);

// One line on standard output in UTF-8, for the scripts that read these programs.
void Say(const std::wstring& line);

} // namespace TolvTest
