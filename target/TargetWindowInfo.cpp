#include "target/TargetWindowInfo.h"

#include <commdlg.h>
#include <psapi.h>

#include <vector>

#include "flib/Owned.h"

namespace Engine {

namespace {

// Room for 2047 characters and the terminator; longer texts are cut by the system.
constexpr DWORD kTextCapacity = 2048;

// The pre-Vista PROCESS_ALL_ACCESS, which newer headers define larger.
constexpr DWORD kProcessAllAccess = 0x1F0FFF;

std::wstring UpToNull(const std::vector<wchar_t>& buffer) { return std::wstring(buffer.data()); }

} // namespace

void TargetWindowInfo::FillFromProcess(DWORD id)
{
    // Null when refused (another user, higher integrity, gone): every call below
    // then fails and leaves its buffer empty.
    const Flib::OwnedHandle process(::OpenProcess(kProcessAllAccess, FALSE, id));

    std::vector<wchar_t> path(kTextCapacity, L'\0');
    if (process) {
        ::GetModuleFileNameExW(process.Get(), nullptr, path.data(), kTextCapacity);
    }
    fullPath = UpToNull(path);

    std::vector<wchar_t> title(kTextCapacity, L'\0');
    if (!fullPath.empty()) {
        ::GetFileTitleW(fullPath.c_str(), title.data(), static_cast<WORD>(kTextCapacity));
    }
    fileName = UpToNull(title);

    BOOL wow64 = FALSE;
    if (!process || !::IsWow64Process(process.Get(), &wow64)) {
        wow64 = FALSE;
    }
    isWow64 = wow64;

    processId = id;
}

void TargetWindowInfo::FillFromWindow(HWND handle, DWORD thread)
{
    windowHandle = handle;
    threadId = thread;

    std::vector<wchar_t> name(kTextCapacity, L'\0');
    ::GetClassNameW(handle, name.data(), static_cast<int>(kTextCapacity));
    className = UpToNull(name);

    std::vector<wchar_t> text(kTextCapacity, L'\0');
    // Read without WM_GETTEXT: for a window of this process that message would wait
    // on its thread, and the main thread may be waiting for the watcher.
    ::InternalGetWindowText(handle, text.data(), static_cast<int>(kTextCapacity));
    windowText = UpToNull(text);
}

TargetWindowInfo DescribeWindow(HWND window)
{
    TargetWindowInfo target;
    DWORD processId = 0; // stays 0 when the system reports no process
    const DWORD threadId = ::GetWindowThreadProcessId(window, &processId);
    target.FillFromProcess(processId);
    target.FillFromWindow(window, threadId);
    return target;
}

std::wstring ArchitectureLabel(const TargetWindowInfo& target, bool is64BitSystem)
{
    if (!is64BitSystem) {
        return L"32bit";
    }
    return target.isWow64 ? L"32bit(WOW64)" : L"64bit";
}

} // namespace Engine
