#include "target/StoreAppProcess.h"

namespace Engine {

namespace {

constexpr wchar_t kFrameClass[] = L"ApplicationFrameWindow";
constexpr wchar_t kAppWindowClass[] = L"Windows.UI.Core.CoreWindow";

// Class names compare without regard to case, as the system compares them.
bool HasClass(HWND window, const wchar_t* className)
{
    // Longer names are cut and then differ, which is all this needs.
    wchar_t name[64] = {};
    return ::GetClassNameW(window, name, 64) > 0 && ::CompareStringOrdinal(name, -1, className, -1, TRUE) == CSTR_EQUAL;
}

} // namespace

DWORD ProcessDescribingWindow(HWND window, DWORD windowProcessId)
{
    if (window == nullptr || !HasClass(window, kFrameClass)) {
        return windowProcessId;
    }
    // Direct children only: the host also puts its own title bar and input windows there.
    for (HWND child = ::FindWindowExW(window, nullptr, kAppWindowClass, nullptr); child != nullptr;
         child = ::FindWindowExW(window, child, kAppWindowClass, nullptr)) {
        DWORD childProcessId = 0;
        ::GetWindowThreadProcessId(child, &childProcessId);
        if (childProcessId != 0 && childProcessId != windowProcessId) {
            return childProcessId;
        }
    }
    return windowProcessId;
}

} // namespace Engine
