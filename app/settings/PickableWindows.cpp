#include "app/settings/PickableWindows.h"

#include <dwmapi.h>

namespace Tolv {

namespace {

// Long enough for any program that is pumping its messages, short enough that
// a list with a few busy windows still opens at once.
constexpr UINT kIconAnswerMs = 100;

struct Collection {
    DWORD skippedProcessId;
    std::vector<HWND> windows;
};

BOOL CALLBACK Collect(HWND window, LPARAM lParam)
{
    auto& collection = *reinterpret_cast<Collection*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != collection.skippedProcessId && IsPickable(window)) {
        collection.windows.push_back(window);
    }
    return TRUE;
}

// Windows 10 keeps suspended Store apps and windows of other virtual desktops
// visible but cloaked: the user cannot see them. A system without the query
// reports failure, and the window counts as shown.
bool IsCloaked(HWND window)
{
    DWORD cloaked = 0;
    return SUCCEEDED(::DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) && cloaked != 0;
}

} // namespace

std::vector<HWND> PickableWindowHandles(DWORD skippedProcessId)
{
    Collection collection{skippedProcessId, {}};
    // EnumWindows hands out top-level windows in Z order, the front one first.
    ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&collection));
    return collection.windows;
}

bool IsPickable(HWND window)
{
    const LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    return ::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == nullptr &&
           (exStyle & WS_EX_TOOLWINDOW) == 0 && !IsCloaked(window);
}

HICON SmallIconOf(HWND window)
{
    DWORD_PTR answer = 0;
    // ICON_SMALL2 also gives the small form the system makes of a big icon.
    if (::SendMessageTimeoutW(window, WM_GETICON, ICON_SMALL2, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kIconAnswerMs,
                              &answer) != 0 &&
        answer != 0) {
        return reinterpret_cast<HICON>(answer);
    }
    if (const ULONG_PTR small = ::GetClassLongPtrW(window, GCLP_HICONSM)) {
        return reinterpret_cast<HICON>(small);
    }
    return reinterpret_cast<HICON>(::GetClassLongPtrW(window, GCLP_HICON));
}

std::vector<PickableWindow> DescribePickableWindows(DWORD skippedProcessId)
{
    std::vector<PickableWindow> rows;
    for (const HWND window : PickableWindowHandles(skippedProcessId)) {
        rows.push_back({Engine::DescribeWindow(window), SmallIconOf(window)});
    }
    return rows;
}

} // namespace Tolv
