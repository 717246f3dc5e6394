#pragma once
// What the engine knows about one foreground window; made fresh for every run.
#include <windows.h>

#include <string>

namespace Engine {

struct TargetWindowInfo {
    DWORD processId = 0;
    std::wstring fileName; // as GetFileTitleW gives it: with or without the extension
    std::wstring fullPath;
    BOOL isWow64 = FALSE; // 32-bit code under WOW64; FALSE also when it cannot be determined
    HWND windowHandle = nullptr;
    DWORD threadId = 0;
    std::wstring className;
    std::wstring windowText;

    // A process that cannot be opened leaves the path, the file name and the
    // WOW64 flag empty; processId is set all the same.
    void FillFromProcess(DWORD id);
    // A null or vanished window leaves the class name and the title empty.
    void FillFromWindow(HWND handle, DWORD thread);
};

// The window and its process, in the engine's order: the process first, then the window.
// A Store app's frame takes its process facts from the app's process.
TargetWindowInfo DescribeWindow(HWND window);

// "32bit(WOW64)", "64bit" or "32bit": how the target runs on this system.
std::wstring ArchitectureLabel(const TargetWindowInfo& target, bool is64BitSystem);

} // namespace Engine
