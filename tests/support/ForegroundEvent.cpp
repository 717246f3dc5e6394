#include "tests/support/ForegroundEvent.h"

#include "tests/support/Wait.h"

namespace TolvTest {

void ChangeForegroundWithEvent(HWND window)
{
    ::SetForegroundWindow(window);
    // Windows raises the event once the window is in front; under Wine a window
    // of another process gets there a moment after the call.
    const ULONGLONG giveUp = ::GetTickCount64() + 1000;
    while (::GetForegroundWindow() != window && ::GetTickCount64() < giveUp) {
        ::Sleep(1);
    }
    // Wine's NotifyWinEvent skips the hooks this thread has not seen yet: its view
    // is refreshed only by a message taken from the queue, so take one.
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
    MSG message;
    ::PeekMessageW(&message, nullptr, WM_NULL, WM_NULL, PM_REMOVE);
    ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
}

bool SettleInFront(HWND window, ULONGLONG steadyMs)
{
    ULONGLONG steadySince = ::GetTickCount64();
    return WaitUntil(
        [&] {
            if (::GetForegroundWindow() != window) {
                ::SetForegroundWindow(window);
                steadySince = ::GetTickCount64();
            }
            return ::GetTickCount64() - steadySince >= steadyMs;
        },
        5000);
}

} // namespace TolvTest
