#include "tests/support/RemoteForegroundEvent.h"

#include <psapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/TolvProcess.h"
#include "tests/support/Wait.h"

namespace TolvTest {

namespace {

constexpr wchar_t kRaiserFile[] = L"tolv_foreground_event.dll";
constexpr DWORD kThreadTimeoutMs = 5000;

using OwnedLibrary = Flib::Owned<HMODULE, ::FreeLibrary>;

std::wstring BaseName(HANDLE process, HMODULE module)
{
    wchar_t name[MAX_PATH] = {};
    ::GetModuleBaseNameW(process, module, name, MAX_PATH);
    return name;
}

HMODULE ModuleNamed(HANDLE process, const std::wstring& name)
{
    std::vector<HMODULE> modules(1024);
    DWORD needed = 0;
    if (!::EnumProcessModulesEx(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)),
                                &needed, LIST_MODULES_ALL)) {
        return nullptr;
    }
    modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
    for (HMODULE module : modules) {
        if (::lstrcmpiW(BaseName(process, module).c_str(), name.c_str()) == 0) {
            return module;
        }
    }
    return nullptr;
}

// The same function in `process`: at the same offset in the module of the same
// name (system libraries need not sit at the same address in every process).
LPTHREAD_START_ROUTINE InProcess(HANDLE process, FARPROC local)
{
    HMODULE localModule = nullptr;
    if (local == nullptr ||
        !::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              reinterpret_cast<LPCWSTR>(local), &localModule)) {
        return nullptr;
    }
    const HMODULE remote = ModuleNamed(process, BaseName(::GetCurrentProcess(), localModule));
    if (remote == nullptr) {
        return nullptr;
    }
    const std::ptrdiff_t offset = reinterpret_cast<const BYTE*>(local) - reinterpret_cast<const BYTE*>(localModule);
    return reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<BYTE*>(remote) + offset);
}

FARPROC Kernel32Function(const char* name) { return ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), name); }

} // namespace

RemoteForegroundEvent::RemoteForegroundEvent(DWORD processId)
    : process_(::OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                 PROCESS_VM_WRITE | PROCESS_VM_READ,
                             FALSE, processId))
{
    const std::wstring path = ExecutableDirectory() + L"\\" + kRaiserFile;
    const OwnedLibrary local(::LoadLibraryW(path.c_str()));
    if (!process_ || !local) {
        return;
    }
    const SIZE_T bytes = (path.size() + 1) * sizeof(wchar_t);
    void* remotePath = ::VirtualAllocEx(process_.Get(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remotePath == nullptr) {
        return;
    }
    if (::WriteProcessMemory(process_.Get(), remotePath, path.c_str(), bytes, nullptr) &&
        RunThread(InProcess(process_.Get(), Kernel32Function("LoadLibraryW")), remotePath)) {
        module_ = ModuleNamed(process_.Get(), kRaiserFile);
    }
    ::VirtualFreeEx(process_.Get(), remotePath, 0, MEM_RELEASE);
    if (module_ != nullptr) {
        raise_ = InProcess(process_.Get(), ::GetProcAddress(local.Get(), "RaiseForegroundEvent"));
    }
}

RemoteForegroundEvent::~RemoteForegroundEvent()
{
    if (module_ != nullptr) {
        RunThread(InProcess(process_.Get(), Kernel32Function("FreeLibrary")), module_);
    }
}

bool RemoteForegroundEvent::ChangeForegroundWithEvent(HWND window) const
{
    ::SetForegroundWindow(window);
    // Windows raises the event once the window is in front; under Wine a window
    // of another process gets there a moment after the call.
    if (!Ready() || !WaitUntil([&] { return ::GetForegroundWindow() == window; }, 1000)) {
        return false;
    }
    return RunThread(raise_, window);
}

bool RemoteForegroundEvent::RunThread(LPTHREAD_START_ROUTINE start, LPVOID argument) const
{
    if (start == nullptr) {
        return false;
    }
    const Flib::OwnedHandle thread(::CreateRemoteThread(process_.Get(), nullptr, 0, start, argument, 0, nullptr));
    return thread && ::WaitForSingleObject(thread.Get(), kThreadTimeoutMs) == WAIT_OBJECT_0;
}

} // namespace TolvTest
