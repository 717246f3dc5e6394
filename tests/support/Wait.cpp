#include "tests/support/Wait.h"

namespace TolvTest {

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (done()) {
            return true;
        }
        if (::GetTickCount64() >= deadline) {
            return false;
        }
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::Sleep(20);
    }
}

} // namespace TolvTest
