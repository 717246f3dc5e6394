#include "tests/support/TestWindows.h"

namespace TolvTest {

ATOM RegisterTestWindowClass(const wchar_t* className, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className;
    return ::RegisterClassExW(&windowClass);
}

HWND CreateHiddenWindow(const wchar_t* className, const std::wstring& title)
{
    return ::CreateWindowExW(0, className, title.c_str(), WS_OVERLAPPED, 0, 0, 200, 100, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

} // namespace TolvTest
