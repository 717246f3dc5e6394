#pragma once
// The line editor behind CIniFile::DeleteSection and CIniFile::DeleteKey.
#include <string>

namespace Flib { namespace IO { namespace File {

// Rewrites the file at `path` without the lines that belong to a section whose
// header line begins with `header`: all of them when `keyPrefix` is empty, else
// only those that begin with `keyPrefix`. The file keeps its encoding (UTF-16LE,
// UTF-8 with byte-order mark, or ANSI). Returns 1 when such a section (or such a
// key) was found; 0, with the file unchanged, when it cannot be read or written.
int RemoveIniLines(const std::wstring& path, const std::wstring& header, const std::wstring& keyPrefix);

}}} // namespace Flib::IO::File
