// The switch balloon for a program with a long path and a long title, on the
// Wine desktop, for docs/balloon-long.png (tests/app/take-balloon-picture.sh).
// Says "SHOT left top right bottom" for the part of the screen to keep and
// waits for a line back; then prints the text the balloon shows.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/ExitCodes.h"
#include "resources/ResourceIds.h"
#include "tests/app/LongBalloonTarget.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/KeyLoggerCopy.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/TextLines.h"
#include "tests/support/TolvProcess.h"
#include "tests/support/Wait.h"

namespace {

using namespace TolvTest::LongBalloonTarget;
using TolvTest::Say;

BOOL CALLBACK FindBalloon(HWND window, LPARAM found)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (std::wstring(name) == TOOLTIPS_CLASSW && ::IsWindowVisible(window) &&
        (::GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON) != 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

int wmain()
{
    TolvTest::SettingsFileGuard settings;
    settings.Write(Settings());
    // Where such a program is installed, not the test's temporary folder.
    const TolvTest::KeyLoggerCopy copy(std::wstring(L"C:\\Program Files\\") + kFolders, kFileName);
    if (copy.Path().empty()) {
        Say(L"the logger could not be copied");
        return 1;
    }
    TolvTest::TolvProcess tolv;
    HWND main = nullptr;
    if (!TolvTest::WaitUntil([&] { return (main = tolv.FindWindowOfProcess(Tolv::kMainWindowClass)) != nullptr; })) {
        Say(L"tolv.exe did not start");
        return 1;
    }
    HWND balloon = nullptr;
    {
        TolvTest::KeyLogProcess target(copy.Path(), kClassName, kWindowTitle);
        // Wide enough for its whole title in the caption, just above where the balloon comes.
        ::SetWindowPos(target.Window(), nullptr, 20, 360, 984, 150, SWP_NOZORDER | SWP_NOACTIVATE);
        if (target.Window() == nullptr || !target.BringToFront()) {
            Say(L"the target window did not come to the front");
            return 1;
        }
        if (!TolvTest::WaitUntil([&] { return !::EnumWindows(FindBalloon, reinterpret_cast<LPARAM>(&balloon)); },
                                 15000)) {
            Say(L"no balloon appeared");
            return 1;
        }
        // The target's window with its long title, the balloon, the taskbar and the tray icon.
        RECT window{};
        ::GetWindowRect(target.Window(), &window);
        RECT shown{};
        ::GetWindowRect(balloon, &shown);
        Say(L"SHOT 0 " +
            std::to_wstring(std::min(window.top, shown.top) - 8) + L" " +
            std::to_wstring(::GetSystemMetrics(SM_CXSCREEN)) + L" " + std::to_wstring(::GetSystemMetrics(SM_CYSCREEN)));
        char c = 0;
        DWORD read = 0;
        while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), &c, 1, &read, nullptr) && read == 1 && c != '\n') {
        }
        wchar_t text[1024] = {};
        ::SendMessageW(balloon, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
        Say(L"path of the program: " + copy.Path() + L" (" + std::to_wstring(copy.Path().size()) + L" characters)");
        Say(L"balloon text (" + std::to_wstring(std::wstring(text).size()) + L" characters):");
        Say(text);
    }
    ::PostMessageW(main, WM_COMMAND, IDM_EXIT, 0);
    int code = 1;
    tolv.WaitForExit(15000, code);
    return 0;
}
