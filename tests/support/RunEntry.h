#pragma once
// The current user's Run entry "tolv" as tests see and set it. The Wine prefix's
// HKEY_CURRENT_USER belongs to the tests, but a guard still puts back what was there.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace TolvTest {

// The entry's text, or nothing when there is no entry.
std::optional<std::wstring> ReadRunEntry();
void WriteRunEntry(const std::wstring& command);
void DeleteRunEntry();

// Removes the entry for the test and restores it, type and bytes, afterwards.
class RunEntryGuard {
public:
    RunEntryGuard();
    ~RunEntryGuard();
    RunEntryGuard(const RunEntryGuard&) = delete;
    RunEntryGuard& operator=(const RunEntryGuard&) = delete;

private:
    bool existed_ = false;
    DWORD type_ = REG_NONE;
    std::vector<BYTE> data_;
};

} // namespace TolvTest
