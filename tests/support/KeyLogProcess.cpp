#include "tests/support/KeyLogProcess.h"

#include <cstdio>
#include <sstream>

#include "tests/support/TolvProcess.h"
#include "tests/support/Wait.h"

namespace TolvTest {

namespace {

std::wstring NewLogPath()
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    wchar_t path[MAX_PATH] = {};
    ::GetTempFileNameW(folder, L"kl", 0, path);
    return path;
}

struct WindowSearch {
    DWORD processId;
    const std::wstring* className;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t text[512] = {};
    if (owner != search->processId || ::GetClassNameW(window, text, 512) == 0 || *search->className != text) {
        return TRUE;
    }
    ::GetWindowTextW(window, text, 512);
    if (*search->title != text) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

} // namespace

bool SamePath(const std::wstring& left, const std::wstring& right)
{
    return ::CompareStringOrdinal(left.c_str(), -1, right.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::wstring KeyLogProcess::ExePath(KeyLogBuild build)
{
    return ExecutableDirectory() + (build == KeyLogBuild::Native ? L"\\tolv_keylog.exe" : L"\\tolv_keylog32.exe");
}

bool KeyLogProcess::Available(KeyLogBuild build)
{
#ifdef TOLV_HAVE_KEYLOG32
    static_cast<void>(build);
    return true;
#else
    return build == KeyLogBuild::Native;
#endif
}

KeyLogProcess::KeyLogProcess(KeyLogBuild build, const std::wstring& className, const std::wstring& title)
    : KeyLogProcess(ExePath(build), className, title)
{
}

KeyLogProcess::KeyLogProcess(const std::wstring& exePath, const std::wstring& className, const std::wstring& title)
    : exePath_(exePath), logPath_(NewLogPath())
{
    std::wstring commandLine = L"\"" + exePath_ + L"\" \"" + className + L"\" \"" + title + L"\" \"" + logPath_ + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        return;
    }
    ::CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    id_ = info.dwProcessId;
    WaitUntil([&] {
        WindowSearch search{id_, &className, &title, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        window_ = search.found;
        return window_ != nullptr || ::WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
    });
}

KeyLogProcess::~KeyLogProcess()
{
    if (!Close() && process_) {
        ::TerminateProcess(process_.Get(), 1);
        ::WaitForSingleObject(process_.Get(), 5000);
    }
    ::DeleteFileW(logPath_.c_str());
}

bool KeyLogProcess::Close()
{
    if (!process_) {
        return false;
    }
    if (window_ != nullptr) {
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
    }
    return ::WaitForSingleObject(process_.Get(), 5000) == WAIT_OBJECT_0;
}

bool KeyLogProcess::BringToFront() const
{
    if (window_ == nullptr) {
        return false;
    }
    ::SetForegroundWindow(window_);
    return WaitUntil([&] { return ::GetForegroundWindow() == window_; }, 3000);
}

std::vector<LoggedKey> KeyLogProcess::Log() const
{
    std::vector<LoggedKey> keys;
    const HANDLE raw = ::CreateFileW(logPath_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) {
        return keys;
    }
    const Flib::OwnedHandle file(raw);
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        content.append(buffer, read);
    }
    // A line still being written has no line break yet: leave it for the next read.
    content.erase(content.find_last_of('\n') + 1);
    std::istringstream lines(content);
    std::string line;
    while (std::getline(lines, line)) {
        unsigned message = 0, virtualKey = 0, scanCode = 0, up = 0;
        if (std::sscanf(line.c_str(), "%u %u %u %u", &message, &virtualKey, &scanCode, &up) == 4) {
            keys.push_back({message, virtualKey, scanCode, up != 0});
        }
    }
    return keys;
}

} // namespace TolvTest
