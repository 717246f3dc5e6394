#pragma once
#include <windows.h>

#include <functional>

namespace TolvTest {

// Polls `done` (pumping this thread's messages) until it holds or `timeoutMs` passes.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

} // namespace TolvTest
