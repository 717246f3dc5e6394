#include "tests/support/ShownBalloons.h"

#include <windows.h>
#include <commctrl.h>

namespace TolvTest {

namespace {

// A tooltip answers WM_GETTEXT with the text it shows. GetWindowTextW would
// not ask a window of another process.
std::wstring ShownText(HWND tip)
{
    wchar_t text[1024] = {};
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(tip, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
    return text;
}

BOOL CALLBACK CollectBalloon(HWND window, LPARAM lParam)
{
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, 64);
    if (std::wstring(className) == TOOLTIPS_CLASSW && ::IsWindowVisible(window) &&
        (::GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON) != 0) {
        reinterpret_cast<std::vector<std::wstring>*>(lParam)->push_back(ShownText(window));
    }
    return TRUE;
}

} // namespace

std::vector<std::wstring> ShownBalloonTexts()
{
    std::vector<std::wstring> texts;
    ::EnumWindows(CollectBalloon, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

} // namespace TolvTest
