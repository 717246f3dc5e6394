#pragma once
// tolv.exe started as a real process, as a user starts it.
#include <windows.h>

#include <string>

#include "flib/Owned.h"

namespace TolvTest {

// Folder of the running test executable; tolv.exe is built beside it.
std::wstring ExecutableDirectory();
std::wstring TolvExePath();

class TolvProcess {
public:
    // Starts tolv.exe; the process is ended on destruction if still running.
    TolvProcess();
    ~TolvProcess();
    TolvProcess(const TolvProcess&) = delete;
    TolvProcess& operator=(const TolvProcess&) = delete;

    DWORD Id() const { return id_; }
    bool Running() const;
    // Full 32-bit exit code, or nothing if the process is still running after `timeoutMs`.
    bool WaitForExit(DWORD timeoutMs, int& exitCode) const;
    // The first top-level window of this process with `className` (and `title`, if not null).
    HWND FindWindowOfProcess(const wchar_t* className, const wchar_t* title = nullptr) const;

private:
    Flib::OwnedHandle process_;
    DWORD id_ = 0;
};

} // namespace TolvTest
