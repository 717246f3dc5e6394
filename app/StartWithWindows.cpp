#include "app/StartWithWindows.h"

#include <windows.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace Tolv {

namespace {

// The entry's command, environment variables expanded; empty when there is none.
std::wstring ReadCommand()
{
    // A REG_EXPAND_SZ entry comes expanded, as REG_SZ.
    const DWORD types = RRF_RT_REG_SZ;
    // Another program may make it longer between asking its size and reading it.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD bytes = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, StartWithWindows::kRunKey, StartWithWindows::kValueName, types, nullptr,
                           nullptr, &bytes) != ERROR_SUCCESS) {
            return {};
        }
        std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LSTATUS status = ::RegGetValueW(HKEY_CURRENT_USER, StartWithWindows::kRunKey,
                                              StartWithWindows::kValueName, types, nullptr, buffer.data(), &bytes);
        if (status == ERROR_SUCCESS) {
            return buffer.data();
        }
        if (status != ERROR_MORE_DATA) {
            return {};
        }
    }
    return {};
}

// The program a command starts: the quoted part, or the whole command when it
// has no quotes (Windows itself then tries the blanks one by one).
std::wstring ProgramOf(const std::wstring& command)
{
    const std::size_t first = command.find_first_not_of(L" \t");
    if (first == std::wstring::npos) {
        return {};
    }
    if (command[first] == L'"') {
        const std::size_t close = command.find(L'"', first + 1);
        return command.substr(first + 1, close == std::wstring::npos ? std::wstring::npos : close - first - 1);
    }
    const std::size_t last = command.find_last_not_of(L" \t");
    return command.substr(first, last - first + 1);
}

} // namespace

StartWithWindows::StartWithWindows(std::wstring exePath) : exePath_(std::move(exePath)) {}

std::wstring StartWithWindows::ThisProgram()
{
    std::vector<wchar_t> buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size()) {
            return std::wstring(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2); // long paths: cut otherwise
    }
}

std::wstring StartWithWindows::CommandFor(const std::wstring& exePath) { return L"\"" + exePath + L"\""; }

bool StartWithWindows::IsOn() const
{
    const std::wstring program = ProgramOf(ReadCommand());
    // File names on Windows ignore case.
    return !program.empty() && ::CompareStringOrdinal(program.c_str(), static_cast<int>(program.size()),
                                                      exePath_.c_str(), static_cast<int>(exePath_.size()),
                                                      TRUE) == CSTR_EQUAL;
}

bool StartWithWindows::TurnOn() const
{
    if (exePath_.empty()) {
        return false; // the program's own path was not to be had: an empty command starts nothing
    }
    const std::wstring command = CommandFor(exePath_);
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName, REG_SZ, command.c_str(),
                             static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool StartWithWindows::TurnOff() const
{
    const LSTATUS status = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kValueName);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

} // namespace Tolv
