#include "tests/support/TolvProcess.h"

#include <vector>

namespace TolvTest {

std::wstring ExecutableDirectory()
{
    std::vector<wchar_t> buffer(MAX_PATH * 4, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring path(buffer.data(), length);
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring TolvExePath() { return ExecutableDirectory() + L"\\tolv.exe"; }

TolvProcess::TolvProcess()
{
    std::wstring commandLine = L"\"" + TolvExePath() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        ::CloseHandle(info.hThread);
        process_.Reset(info.hProcess);
        id_ = info.dwProcessId;
    }
}

TolvProcess::~TolvProcess()
{
    if (Running()) {
        ::TerminateProcess(process_.Get(), 1);
        ::WaitForSingleObject(process_.Get(), 5000);
    }
}

bool TolvProcess::Running() const
{
    return process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool TolvProcess::WaitForExit(DWORD timeoutMs, int& exitCode) const
{
    if (!process_ || ::WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.Get(), &code);
    exitCode = static_cast<int>(code);
    return true;
}

namespace {
struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) {
        return TRUE;
    }
    wchar_t text[512] = {};
    ::GetClassNameW(window, text, 512);
    if (std::wstring(text) != search->className) {
        return TRUE;
    }
    if (search->title != nullptr) {
        ::GetWindowTextW(window, text, 512);
        if (std::wstring(text) != search->title) {
            return TRUE;
        }
    }
    search->found = window;
    return FALSE;
}
} // namespace

HWND TolvProcess::FindWindowOfProcess(const wchar_t* className, const wchar_t* title) const
{
    WindowSearch search{id_, className, title, nullptr};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace TolvTest
