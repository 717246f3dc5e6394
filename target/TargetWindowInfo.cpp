#include "target/TargetWindowInfo.h"

#include <commdlg.h>
#include <psapi.h>

#include <vector>

#include "flib/Owned.h"
#include "target/ProcessBitness.h"
#include "target/StoreAppProcess.h"

namespace Engine {

namespace {

// Room for 2047 characters and the terminator; longer texts are cut by the system.
constexpr DWORD kTextCapacity = 2048;

// The pre-Vista PROCESS_ALL_ACCESS, which newer headers define larger.
constexpr DWORD kProcessAllAccess = 0x1F0FFF;

std::wstring UpToNull(const std::vector<wchar_t>& buffer) { return std::wstring(buffer.data()); }

// The longest path the system has: 32767 characters and the terminator.
constexpr DWORD kLongestPath = 32768;

// The Win32 form of the executable's path, as GetModuleFileNameExW gives it; empty
// when refused. The buffer grows until the whole path fits: a path is never cut.
std::wstring ImagePath(HANDLE process)
{
    for (DWORD capacity = kTextCapacity; process != nullptr && capacity <= kLongestPath; capacity *= 2) {
        std::vector<wchar_t> path(capacity, L'\0');
        DWORD size = capacity;
        if (::QueryFullProcessImageNameW(process, 0, path.data(), &size)) {
            return std::wstring(path.data(), size);
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            break;
        }
    }
    return std::wstring();
}

std::wstring ModulePath(HANDLE process)
{
    for (DWORD capacity = kTextCapacity; process != nullptr && capacity <= kLongestPath; capacity *= 2) {
        std::vector<wchar_t> path(capacity, L'\0');
        const DWORD length = ::GetModuleFileNameExW(process, nullptr, path.data(), capacity);
        // A cut path fills the buffer; only a shorter one is whole.
        if (length < capacity - 1) {
            return std::wstring(path.data(), length);
        }
    }
    return std::wstring();
}

// The file name part, however long the path.
std::wstring FileTitle(const std::wstring& path)
{
    std::vector<wchar_t> title(kTextCapacity, L'\0');
    short needed = ::GetFileTitleW(path.c_str(), title.data(), static_cast<WORD>(title.size()));
    if (needed > 0) {
        title.assign(static_cast<std::size_t>(needed), L'\0');
        needed = ::GetFileTitleW(path.c_str(), title.data(), static_cast<WORD>(title.size()));
    }
    return needed == 0 ? UpToNull(title) : std::wstring();
}

} // namespace

void TargetWindowInfo::FillFromProcess(DWORD id)
{
    // Limited query access is what Windows still grants for elevated, other users'
    // and protected processes, where all access is refused.
    const Flib::OwnedHandle limited(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    fullPath = ImagePath(limited.Get());

    // The older calls, only for a process (or system) that refused the limited query.
    Flib::OwnedHandle full;
    if (fullPath.empty()) {
        full.Reset(::OpenProcess(kProcessAllAccess, FALSE, id));
        fullPath = ModulePath(full.Get());
    }

    fileName = fullPath.empty() ? std::wstring() : FileTitle(fullPath);

    isWow64 = RunsAs32BitCode(limited ? limited.Get() : full.Get());

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
    // A Store app's frame is described by the app's process; the window facts stay the frame's.
    target.FillFromProcess(ProcessDescribingWindow(window, processId));
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
