#pragma once
// Path questions the settings layer asks of the file system.
#include <string>

namespace Flib { namespace IO { namespace File {

// What GetPathKind found; a drive root counts as a directory.
enum PathKind : int {
    PK_NOTHING = 0,
    PK_FILE = 1,
    PK_DIRECTORY = 2,
};

// A path that starts with "\" or has ":" as its second character is taken as it
// is; any other path is relative to the current directory. A trailing "\" is ignored.
PathKind GetPathKind(const std::wstring& path);

// Creates the folder and every missing parent. 1 when the folder can be used,
// 0 when the path has no "\" or a file stands where a parent should be.
int CreateDirectoryRecursive(const std::wstring& folder);

// The text before the last "\" (the whole path when there is none). 0, and
// `folder` untouched, when the only "\" is the first character.
int GetDirectoryOfPath(const std::wstring& path, std::wstring& folder);

}}} // namespace Flib::IO::File
