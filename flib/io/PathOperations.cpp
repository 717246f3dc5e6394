#include "flib/io/PathOperations.h"

#include <windows.h>

#include <cwchar>

#include "flib/Owned.h"

namespace Flib { namespace IO { namespace File {

namespace {

// FindFirstFileW reports failure as INVALID_HANDLE_VALUE, the owner's empty state is null.
using OwnedFind = Owned<HANDLE, CloseFind>;
OwnedFind OwnSearch(HANDLE search) { return OwnedFind(search == INVALID_HANDLE_VALUE ? nullptr : search); }

std::wstring Absolute(const std::wstring& path)
{
    if (path[0] == L'\\' || (path.size() >= 2 && path[1] == L':')) {
        return path;
    }
    wchar_t current[2048] = {};
    ::GetCurrentDirectoryW(2048, current);
    return std::wstring(current) + L"\\" + path;
}

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

PathKind DriveKind(std::wstring drive)
{
    if (drive.size() == 2) {
        drive += L'\\';
    }
    wchar_t drives[128] = {};
    const DWORD length = ::GetLogicalDriveStringsW(128, drives);
    if (length == 0 || length > 128) {
        return PK_NOTHING;
    }
    // Entries such as "C:\" each end with a NUL; the list ends with an empty one.
    for (const wchar_t* entry = drives; *entry; entry += std::wcslen(entry) + 1) {
        bool same = std::wcslen(entry) == drive.size();
        for (std::size_t i = 0; same && i < drive.size(); ++i) {
            same = AsciiLower(entry[i]) == AsciiLower(drive[i]);
        }
        if (same) {
            return PK_DIRECTORY;
        }
    }
    return PK_NOTHING;
}

} // namespace

PathKind GetPathKind(const std::wstring& path)
{
    if (path.empty()) {
        return PK_NOTHING;
    }
    std::wstring full = Absolute(path);
    if (full.size() <= 3) {
        return DriveKind(full);
    }
    if (full.back() == L'\\') {
        full.pop_back();
    }
    WIN32_FIND_DATAW found;
    const OwnedFind search = OwnSearch(::FindFirstFileW(full.c_str(), &found));
    if (!search) {
        return PK_NOTHING;
    }
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? PK_DIRECTORY : PK_FILE;
}

int CreateDirectoryRecursive(const std::wstring& folder)
{
    std::wstring path = folder;
    if (!path.empty() && path.back() == L'\\') {
        path.pop_back();
    }
    const std::wstring::size_type slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) {
        return 0;
    }
    // The parent is judged like any other path, so a drive root ("C:", which
    // FindFirstFileW does not find) counts as an existing folder.
    const std::wstring parent = path.substr(0, slash);
    const PathKind parentKind = parent.empty() ? PK_NOTHING : GetPathKind(parent);
    if (parentKind == PK_FILE) {
        return 0;
    }
    if (parentKind == PK_NOTHING && !CreateDirectoryRecursive(parent)) {
        return 0;
    }
    // Fails harmlessly when the folder is already there; what counts is that a
    // folder stands there afterwards (not a file of that name).
    ::CreateDirectoryW(path.c_str(), nullptr);
    return GetPathKind(path) == PK_DIRECTORY ? 1 : 0;
}

int GetDirectoryOfPath(const std::wstring& path, std::wstring& folder)
{
    const std::wstring::size_type slash = path.find_last_of(L'\\');
    if (slash == 0) {
        return 0;
    }
    folder = slash == std::wstring::npos ? path : path.substr(0, slash);
    return 1;
}

}}} // namespace Flib::IO::File
