#include "tests/support/SettingsFile.h"

#include <windows.h>
#include <shlobj.h>

#include <stdexcept>

#include "flib/io/CIniFile.h"

namespace TolvTest {

std::wstring SettingsFilePath()
{
    std::wstring path;
    Flib::IO::File::CIniFile::GenerateIniFileFullPathForApplicationData(L"Orvane-Works", L"tolv", L"tolv.ini", path);
    return path;
}

namespace {
void RemoveEntry(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        ::RemoveDirectoryW(path.c_str());
    } else {
        ::DeleteFileW(path.c_str());
    }
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }
} // namespace

SettingsFileGuard::SettingsFileGuard() : path_(SettingsFilePath()), backup_(path_ + L".test-backup")
{
    RemoveEntry(backup_);
    hadOriginal_ = ::MoveFileW(path_.c_str(), backup_.c_str()) != FALSE;
}

SettingsFileGuard::~SettingsFileGuard()
{
    RemoveEntry(path_);
    if (hadOriginal_) {
        ::MoveFileW(backup_.c_str(), path_.c_str());
    }
}

void SettingsFileGuard::Write(const std::wstring& content) const
{
    ::SHCreateDirectoryExW(nullptr, FolderOf(path_).c_str(), nullptr);
    HANDLE file = ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        throw std::runtime_error("cannot write the settings file");
    }
    const std::wstring bytes = L"\xFEFF" + content;
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size() * sizeof(wchar_t)), &written, nullptr);
    ::CloseHandle(file);
}

void SettingsFileGuard::MakeDirectoryInstead() const
{
    RemoveEntry(path_);
    ::SHCreateDirectoryExW(nullptr, path_.c_str(), nullptr);
}

bool SettingsFileGuard::Exists() const { return ::GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace TolvTest
