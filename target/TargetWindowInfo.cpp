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

// The Win32 form of the executable's path, as GetModuleFileNameExW gives it; empty when refused.
std::wstring ImagePath(HANDLE process)
{
    std::vector<wchar_t> path(kTextCapacity, L'\0');
    DWORD size = kTextCapacity;
    if (process == nullptr || !::QueryFullProcessImageNameW(process, 0, path.data(), &size)) {
        return std::wstring();
    }
    return UpToNull(path);
}

std::wstring ModulePath(HANDLE process)
{
    std::vector<wchar_t> path(kTextCapacity, L'\0');
    if (process != nullptr) {
        ::GetModuleFileNameExW(process, nullptr, path.data(), kTextCapacity);
    }
    return UpToNull(path);
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

    std::vector<wchar_t> title(kTextCapacity, L'\0');
    if (!fullPath.empty()) {
        ::GetFileTitleW(fullPath.c_str(), title.data(), static_cast<WORD>(kTextCapacity));
    }
    fileName = UpToNull(title);

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
