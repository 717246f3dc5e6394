#pragma once
// The real settings file of the current user, set aside for a test and put back after it.
#include <string>

namespace TolvTest {

std::wstring SettingsFilePath();

class SettingsFileGuard {
public:
    SettingsFileGuard();  // moves any existing file (or directory) out of the way
    ~SettingsFileGuard(); // removes what the test left and restores the original
    SettingsFileGuard(const SettingsFileGuard&) = delete;
    SettingsFileGuard& operator=(const SettingsFileGuard&) = delete;

    const std::wstring& Path() const { return path_; }
    // Writes `content` (UTF-16LE with BOM), creating the folders.
    void Write(const std::wstring& content) const;
    void MakeDirectoryInstead() const;
    bool Exists() const;

private:
    std::wstring path_;
    std::wstring backup_;
    bool hadOriginal_ = false;
};

} // namespace TolvTest
