#include "tests/support/TrayClick.h"

#include "flib/Owned.h"
#include "tests/support/Wait.h"

namespace TolvTest {

namespace {

bool CursorReaches(POINT target)
{
    return WaitUntil([target] {
        POINT cursor{};
        return ::GetCursorPos(&cursor) && cursor.x == target.x && cursor.y == target.y;
    });
}

std::wstring Coordinates(POINT point) { return std::to_wstring(point.x) + L" " + std::to_wstring(point.y); }

} // namespace

bool StartXdotool(const std::wstring& arguments)
{
    // The Windows PATH does not list /usr/bin.
    std::wstring commandLine = L"Z:\\usr\\bin\\xdotool " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const BOOL started = ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                          nullptr, &startup, &info);
    // Null for a native process; closed should a Wine version ever hand them out.
    Flib::OwnedHandle process(info.hProcess);
    Flib::OwnedHandle thread(info.hThread);
    return started != FALSE;
}

bool FirstTrayIconPoint(POINT& point)
{
    // Wine draws the icons into the taskbar itself, right-aligned, 20 px each,
    // and cannot report their rectangles (Shell_NotifyIconGetRect is E_NOTIMPL).
    HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT rect{};
    if (taskbar == nullptr || !::GetWindowRect(taskbar, &rect)) {
        return false;
    }
    point.x = rect.right - 10;
    point.y = (rect.top + rect.bottom) / 2;
    return true;
}

bool RightClickFirstTrayIcon()
{
    POINT icon{};
    if (!FirstTrayIconPoint(icon)) {
        return false;
    }
    // Away first, so that arriving at the icon proves this run of the tool.
    const POINT away{icon.x - 300, icon.y - 300};
    return StartXdotool(L"mousemove " + Coordinates(away)) && CursorReaches(away) &&
           StartXdotool(L"mousemove " + Coordinates(icon) + L" click 3") && CursorReaches(icon);
}

} // namespace TolvTest
