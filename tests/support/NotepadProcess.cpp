#include "tests/support/NotepadProcess.h"

#include <vector>

#include "tests/support/Wait.h"

namespace TolvTest {

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchNotepad(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    if (owner == search->processId && ::GetClassNameW(window, className, 64) > 0 &&
        std::wstring(className) == L"Notepad" && ::IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

NotepadProcess::NotepadProcess()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"notepad.exe";
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info)) {
        return;
    }
    ::CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    Search search{info.dwProcessId, nullptr};
    WaitUntil(
        [&] {
            ::EnumWindows(MatchNotepad, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        10000);
    window_ = search.found;
    edit_ = window_ == nullptr ? nullptr : ::FindWindowExW(window_, nullptr, L"Edit", nullptr);
    // It activates itself a moment after it appears: not later, in the middle of a test.
    WaitUntil([this] { return window_ != nullptr && ::GetForegroundWindow() == window_; }, 5000);
}

NotepadProcess::~NotepadProcess()
{
    if (process_) {
        ::TerminateProcess(process_.Get(), 0);
        ::WaitForSingleObject(process_.Get(), 5000);
    }
}

std::wstring NotepadProcess::Text() const
{
    if (edit_ == nullptr) {
        return L"";
    }
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(edit_, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
        return L"";
    }
    std::vector<wchar_t> text(length + 1);
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(edit_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                          2000, &copied);
    return std::wstring(text.data(), copied);
}

} // namespace TolvTest
