#pragma once
// The key-logging test program started as a real process, 64-bit or 32-bit.
#include <windows.h>

#include <string>
#include <vector>

#include "flib/Owned.h"

namespace TolvTest {

enum class KeyLogBuild { Native, Wow64 };

// Windows paths compared as the file system does: without regard to case.
bool SamePath(const std::wstring& left, const std::wstring& right);

// One key message as the logging window received it.
struct LoggedKey {
    UINT message; // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    UINT virtualKey;
    UINT scanCode;
    bool up;
};

class KeyLogProcess {
public:
    // Starts the program and waits until its window exists; Window() is null if it never came.
    KeyLogProcess(KeyLogBuild build, const std::wstring& className, const std::wstring& title);
    // The same with a copy of the logger at `exePath` (see KeyLoggerCopy).
    KeyLogProcess(const std::wstring& exePath, const std::wstring& className, const std::wstring& title);
    // Closes the window (ending the process if it does not go) and deletes the log.
    ~KeyLogProcess();
    KeyLogProcess(const KeyLogProcess&) = delete;
    KeyLogProcess& operator=(const KeyLogProcess&) = delete;

    static std::wstring ExePath(KeyLogBuild build);
    // Whether this build has the logger of that bitness (the 32-bit one needs a 32-bit compiler).
    static bool Available(KeyLogBuild build);

    DWORD Id() const { return id_; }
    HWND Window() const { return window_; }
    const std::wstring& ExePath() const { return exePath_; }

    // Makes the window the foreground window; false if it did not become one.
    bool BringToFront() const;
    // Every key message received so far, in order.
    std::vector<LoggedKey> Log() const;
    // Closes the window and waits for the process to end; true when it ended.
    bool Close();

private:
    std::wstring exePath_;
    std::wstring logPath_;
    Flib::OwnedHandle process_;
    DWORD id_ = 0;
    HWND window_ = nullptr;
};

} // namespace TolvTest
