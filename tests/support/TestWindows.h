#pragma once
// Windows of the test process itself, for tests that need a real window but no process of its own.
#include <windows.h>

#include <string>

namespace TolvTest {

// A window class of this module; what RegisterClassExW returns (0 when it failed).
ATOM RegisterTestWindowClass(const wchar_t* className, WNDPROC procedure = ::DefWindowProcW);
// A top-level window of that class, never shown; null when it could not be made.
HWND CreateHiddenWindow(const wchar_t* className, const std::wstring& title);

} // namespace TolvTest
