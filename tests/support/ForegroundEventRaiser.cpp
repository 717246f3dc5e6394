// Loaded into another process (tolv.exe) so that the foreground event can be
// raised there, where Windows would raise it and Wine 8 does not.
#include <windows.h>

extern "C" __declspec(dllexport) DWORD WINAPI RaiseForegroundEvent(LPVOID window)
{
    // Wine's NotifyWinEvent skips the hooks this new thread has not seen yet: its
    // view is refreshed only by a message taken from its own queue.
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
    MSG message;
    ::PeekMessageW(&message, nullptr, WM_NULL, WM_NULL, PM_REMOVE);
    ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, static_cast<HWND>(window), OBJID_WINDOW, CHILDID_SELF);
    return 0;
}
