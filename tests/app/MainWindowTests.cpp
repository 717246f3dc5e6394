// The running tolv.exe driven from outside as a user drives it: tray icon,
// menu, about box, exit and session end.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>
#include <shellapi.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/ExitCodes.h"
#include "app/MainWindow.h"
#include "resources/ResourceIds.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/KeyPress.h"
#include "tests/support/OpenedUrls.h"
#include "tests/support/RunEntry.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/ShownBalloons.h"
#include "tests/support/TolvProcess.h"
#include "tests/support/TrayClick.h"
#include "tests/support/Wait.h"

namespace {

using TolvTest::PressKey;
using TolvTest::SettingsFileGuard;
using TolvTest::TolvProcess;
using TolvTest::WaitUntil;

constexpr wchar_t kTitle[] = L"トルヴ : 自動IME切り替え機";
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kDialogClass[] = L"#32770";

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[512] = {};
    ::GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

// The settings file as text (it is written as UTF-16LE with a byte-order mark).
std::wstring ReadSettings(const std::wstring& path)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::wstring text(::GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    ::ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    ::CloseHandle(file);
    return text;
}

// Two slots and a rule that gives the window class TolvEndToEndTarget the second one.
constexpr wchar_t kRuleForTarget[] =
    L"[General]\r\n"
    L"Version=1.00\r\n"
    L"Ime.Count=2\r\n"
    L"Ime[0].Name=English\r\n"
    L"Ime[0].SendKeys.Count=3\r\nIme[0].SendKeys[0]=18\r\nIme[0].SendKeys[1]=16\r\nIme[0].SendKeys[2]=49\r\n"
    L"Ime[1].Name=日本語入力\r\n"
    L"Ime[1].SendKeys.Count=3\r\nIme[1].SendKeys[0]=18\r\nIme[1].SendKeys[1]=16\r\nIme[1].SendKeys[2]=50\r\n"
    L"ImeSwitcher.Type=ST_SENDINPUT_SHIFTFIRST\r\n"
    L"Application.Count=1\r\n"
    L"Application[0].Match=MT_CLASSNAME\r\n"
    L"Application[0].Expression=TolvEndToEndTarget\r\n"
    L"Application[0].ImeNumber=1\r\n";

class MainWindowTest : public ::testing::Test {
protected:
    void StartWithSettings(const std::wstring& content = L"[General]\r\n")
    {
        settings.Write(content);
        tolv = std::make_unique<TolvProcess>();
        ASSERT_TRUE(WaitUntil([&] { return (main = tolv->FindWindowOfProcess(Tolv::kMainWindowClass, kTitle)) != nullptr; }));
    }

    HWND OpenMenu() const
    {
        HWND menu = nullptr;
        EXPECT_TRUE(TolvTest::RightClickFirstTrayIcon());
        WaitUntil([&] {
            menu = tolv->FindWindowOfProcess(kMenuClass);
            return menu != nullptr && ::IsWindowVisible(menu);
        }, 5000);
        return menu != nullptr && ::IsWindowVisible(menu) ? menu : nullptr;
    }

    bool MenuIsOpen() const
    {
        HWND menu = tolv->FindWindowOfProcess(kMenuClass);
        return menu != nullptr && ::IsWindowVisible(menu);
    }

    void Exit()
    {
        ::PostMessageW(main, WM_COMMAND, IDM_EXIT, 0);
        int code = 1234;
        ASSERT_TRUE(tolv->WaitForExit(15000, code));
        EXPECT_EQ(code, Tolv::kExitNormal);
    }

    // A crashed tolv stays alive behind Wine's error dialog but answers nothing.
    bool Answers() const
    {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    }

    // Top-level dialogs of tolv: the about box, the sheet. Hidden ones count
    // too: a dialog is shown only once its thread has nothing else to do.
    std::vector<HWND> Dialogs() const
    {
        struct Search {
            DWORD processId;
            std::vector<HWND> found;
        } search{tolv->Id(), {}};
        ::EnumWindows(
            [](HWND window, LPARAM lParam) -> BOOL {
                auto* s = reinterpret_cast<Search*>(lParam);
                DWORD owner = 0;
                ::GetWindowThreadProcessId(window, &owner);
                wchar_t className[16] = {};
                ::GetClassNameW(window, className, 16);
                if (owner == s->processId && std::wstring(className) == kDialogClass) {
                    s->found.push_back(window);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    SettingsFileGuard settings;
    std::unique_ptr<TolvProcess> tolv;
    HWND main = nullptr;
};

// How much bluer than red the first tray icon looks on screen: tolv's own icon is a
// blue square, the paused one grey with an orange sign.
int TrayIconBlueness()
{
    POINT centre{};
    if (!TolvTest::FirstTrayIconPoint(centre)) {
        return 0;
    }
    HDC screen = ::GetDC(nullptr);
    long long sum = 0;
    int count = 0;
    for (int y = centre.y - 6; y <= centre.y + 6; ++y) {
        for (int x = centre.x - 6; x <= centre.x + 6; ++x) {
            const COLORREF pixel = ::GetPixel(screen, x, y);
            sum += static_cast<int>(GetBValue(pixel)) - static_cast<int>(GetRValue(pixel));
            ++count;
        }
    }
    ::ReleaseDC(nullptr, screen);
    return static_cast<int>(sum / count);
}

TEST_F(MainWindowTest, RightClickOnTheTrayIconOpensTheMenuAndLeftClicksDoNot)
{
    TolvTest::RunEntryGuard guard;
    StartWithSettings();
    ::PostMessageW(main, Tolv::kTrayCallbackMessage, Tolv::kTrayIconId, WM_LBUTTONDOWN);
    ::PostMessageW(main, Tolv::kTrayCallbackMessage, Tolv::kTrayIconId, WM_LBUTTONDBLCLK);
    // Handled after the clicks, in the order posted: once its effect shows, they had their chance.
    ::PostMessageW(main, WM_COMMAND, IDM_START_WITH_WINDOWS, 0);
    ASSERT_TRUE(WaitUntil([] { return TolvTest::ReadRunEntry().has_value(); }, 5000));
    EXPECT_FALSE(MenuIsOpen());

    ASSERT_NE(OpenMenu(), nullptr) << "a right click on the icon opened no menu";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !MenuIsOpen(); }, 5000));
    Exit();
}

// The tray menu as a user works it: a real right click on the icon opens it at
// the pointer, and the key of an item runs that item's command.
enum class MenuOutcome { Sheet, AboutBox, PausedIcon, Exits, Nothing };

struct MenuKeyCase {
    const char* name;
    std::vector<WORD> keys;
    MenuOutcome outcome;
};

void PrintTo(const MenuKeyCase& c, std::ostream* out) { *out << c.name; }

class TrayMenuKeyTest : public MainWindowTest, public ::testing::WithParamInterface<MenuKeyCase> {};

TEST_P(TrayMenuKeyTest, OpensAtThePointerAndRunsTheChosenItem)
{
    const MenuKeyCase& c = GetParam();
    StartWithSettings();
    ASSERT_TRUE(WaitUntil([] { return TrayIconBlueness() > 40; }, 5000)) << "tolv's icon is not in the tray";
    HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    POINT pointer{};
    ::GetCursorPos(&pointer);
    RECT rect{};
    ::GetWindowRect(menu, &rect);
    // Kept above the taskbar, which the pointer is on: the menu sits next to it, not on it.
    const LONG dx = std::max({rect.left - pointer.x, 0L, pointer.x - rect.right});
    const LONG dy = std::max({rect.top - pointer.y, 0L, pointer.y - rect.bottom});
    EXPECT_LE(std::max(dx, dy), 32) << "the menu opened away from the pointer: pointer " << pointer.x << ","
                                    << pointer.y << ", menu " << rect.left << "," << rect.top << " to "
                                    << rect.right << "," << rect.bottom;

    for (const WORD key : c.keys) {
        PressKey(key);
    }
    switch (c.outcome) {
    case MenuOutcome::Sheet:
    case MenuOutcome::AboutBox: {
        const wchar_t* title = c.outcome == MenuOutcome::Sheet ? L"設定 - トルヴ" : L"バージョン情報";
        HWND window = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            window = tolv->FindWindowOfProcess(kDialogClass, title);
            return window != nullptr && ::IsWindowVisible(window);
        }, 5000)) << "the item's window did not open";
        EXPECT_EQ(Dialogs(), std::vector<HWND>{window});
        ::PostMessageW(window, WM_COMMAND, c.outcome == MenuOutcome::Sheet ? IDCANCEL : IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(window); }));
        break;
    }
    case MenuOutcome::PausedIcon:
        EXPECT_TRUE(WaitUntil([] { return TrayIconBlueness() < 0; }, 5000)) << "the icon does not show the pause";
        break;
    case MenuOutcome::Exits: {
        int code = 1234;
        ASSERT_TRUE(tolv->WaitForExit(15000, code)) << "tolv did not end";
        EXPECT_EQ(code, Tolv::kExitNormal);
        return;
    }
    case MenuOutcome::Nothing: {
        ASSERT_TRUE(WaitUntil([&] { return !MenuIsOpen(); }, 5000));
        // A command the item posted by mistake is handled before this one, which opens the about box.
        ::PostMessageW(main, WM_COMMAND, IDM_ABOUT, 0);
        HWND about = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            about = tolv->FindWindowOfProcess(kDialogClass, L"バージョン情報");
            return about != nullptr && ::IsWindowVisible(about);
        }, 5000)) << "something else opened first";
        EXPECT_EQ(Dialogs(), std::vector<HWND>{about});
        ::PostMessageW(about, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
        break;
    }
    }
    EXPECT_TRUE(WaitUntil([&] { return !MenuIsOpen(); }, 5000));
    Exit();
}

INSTANTIATE_TEST_SUITE_P(Items, TrayMenuKeyTest,
                         ::testing::Values(MenuKeyCase{"Settings", {'O'}, MenuOutcome::Sheet},
                                           MenuKeyCase{"AboutInTheHelpSubmenu", {'H', 'A'}, MenuOutcome::AboutBox},
                                           MenuKeyCase{"Pause", {'P'}, MenuOutcome::PausedIcon},
                                           MenuKeyCase{"Exit", {'X'}, MenuOutcome::Exits},
                                           MenuKeyCase{"CloseMenu", {'C'}, MenuOutcome::Nothing}),
                         [](const ::testing::TestParamInfo<MenuKeyCase>& info) { return info.param.name; });

TEST_F(MainWindowTest, AboutBoxShowsItsTextsAndHoldsTheTrayUntilOk)
{
    StartWithSettings();
    ::PostMessageW(main, WM_COMMAND, IDM_ABOUT, 0);
    HWND about = nullptr;
    // Shown only once its initialisation has filled the texts.
    ASSERT_TRUE(WaitUntil([&] {
        about = tolv->FindWindowOfProcess(kDialogClass, L"バージョン情報");
        return about != nullptr && ::IsWindowVisible(about);
    }));

    EXPECT_EQ(ItemText(about, IDC_ABOUT_TITLE), std::wstring(kTitle) + L" Ver." TOLV_PROJECT_VERSION);
    EXPECT_FALSE(ItemText(about, IDC_ABOUT_RIGHTS).empty());
    EXPECT_EQ(ItemText(about, IDC_ABOUT_HOMEPAGE).rfind(L"https://", 0), 0u);
    EXPECT_EQ(ItemText(about, IDC_ABOUT_MAIL).rfind(L"mailto:", 0), 0u);

    // Esc is not an answer: the box stays. Sent, so answered when the call returns;
    // a box that ended has hidden itself by then.
    DWORD_PTR answer = 0;
    ASSERT_NE(::SendMessageTimeoutW(about, WM_COMMAND, IDCANCEL, 0, SMTO_ABORTIFHUNG, 5000, &answer), 0);
    EXPECT_TRUE(::IsWindowVisible(about));

    // While it is open, a tray click brings it to the front and opens no menu.
    HWND other = ::CreateWindowExW(0, L"Static", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 100,
                                   nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == other; }));
    ::PostMessageW(main, Tolv::kTrayCallbackMessage, Tolv::kTrayIconId, WM_RBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == about; }, 3000));
    EXPECT_FALSE(MenuIsOpen());
    ::DestroyWindow(other);

    // The address buttons open their addresses.
    TolvTest::ForgetOpenedUrls();
    ::PostMessageW(about, WM_COMMAND, IDC_ABOUT_HOMEPAGE, 0);
    if (TolvTest::OpenedUrlsAreRecorded()) {
        EXPECT_TRUE(WaitUntil([] { return !TolvTest::OpenedUrls().empty(); }, 5000));
    }

    ASSERT_NE(::SendMessageTimeoutW(about, WM_COMMAND, IDOK, 0, SMTO_ABORTIFHUNG, 5000, &answer), 0);
    EXPECT_FALSE(::IsWindowVisible(about)) << "OK did not end the box";
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
    ASSERT_NE(OpenMenu(), nullptr) << "the menu did not come back after the about box";
    PressKey(VK_ESCAPE);
    WaitUntil([&] { return !MenuIsOpen(); }, 5000);
    Exit();
}

TEST_F(MainWindowTest, SettingsCommandOpensTheSheetWhichHoldsTheTray)
{
    StartWithSettings();
    ::PostMessageW(main, WM_COMMAND, IDM_SETTINGS, 0);
    HWND sheet = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (sheet = tolv->FindWindowOfProcess(kDialogClass)) != nullptr && ::IsWindowVisible(sheet); }));

    HWND other = ::CreateWindowExW(0, L"Static", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 100,
                                   nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == other; }));
    ::PostMessageW(main, Tolv::kTrayCallbackMessage, Tolv::kTrayIconId, WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == sheet; }, 3000));
    EXPECT_FALSE(MenuIsOpen());
    ::DestroyWindow(other);

    ::PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(sheet); }));
    ASSERT_NE(OpenMenu(), nullptr) << "the menu did not come back after the sheet";
    PressKey(VK_ESCAPE);
    WaitUntil([&] { return !MenuIsOpen(); }, 5000);
    Exit();
}

TEST_F(MainWindowTest, ExitSavesTheSettingsFile)
{
    StartWithSettings(L"[General]\r\nImeSwitcher.Type=ST_SENDINPUT_CTRLFIRST\r\n");
    Exit();
    const std::wstring saved = ReadSettings(settings.Path());
    EXPECT_NE(saved.find(L"Version=1.00"), std::wstring::npos) << "nothing was saved";
    EXPECT_NE(saved.find(L"ST_SENDINPUT_CTRLFIRST"), std::wstring::npos);
}

TEST_F(MainWindowTest, AFirstRunWritesTheCompleteDefaultFileAtExit)
{
    ASSERT_FALSE(settings.Exists());
    tolv = std::make_unique<TolvProcess>();
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = tolv->FindWindowOfProcess(kDialogClass, kTitle)) != nullptr && ::IsWindowVisible(box); }));
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDYES)));
    ASSERT_TRUE(WaitUntil([&] { return (main = tolv->FindWindowOfProcess(Tolv::kMainWindowClass, kTitle)) != nullptr; }));
    EXPECT_FALSE(settings.Exists()) << "settings are written at exit, not at start";

    Exit();
    EXPECT_EQ(ReadSettings(settings.Path()), L"\xFEFF" + TolvTest::GeneralSection(TolvTest::DefaultFileLines()));
}

TEST_F(MainWindowTest, SessionEndSavesAndEnds)
{
    StartWithSettings();
    EXPECT_EQ(::SendMessageW(main, WM_QUERYENDSESSION, 0, 0), 1);
    ::SendMessageW(main, WM_ENDSESSION, TRUE, 0);
    int code = 1234;
    ASSERT_TRUE(tolv->WaitForExit(15000, code));
    EXPECT_EQ(code, Tolv::kExitNormal);
    EXPECT_NE(ReadSettings(settings.Path()).find(L"Version=1.00"), std::wstring::npos);
}

TEST_F(MainWindowTest, TaskbarCreatedBringsTheIconBack)
{
    StartWithSettings();
    // What a restarted taskbar looks like to the program: its icon is gone.
    NOTIFYICONDATAW icon{};
    icon.cbSize = NOTIFYICONDATAW_V3_SIZE;
    icon.hWnd = main;
    icon.uID = Tolv::kTrayIconId;
    // The window exists a moment before its creation handler has added the icon.
    ASSERT_TRUE(WaitUntil([&] { return ::Shell_NotifyIconW(NIM_DELETE, &icon) != FALSE; }, 5000));
    ASSERT_TRUE(WaitUntil([] { return TrayIconBlueness() < 20; }, 5000)) << "the icon is still shown";

    ::SendMessageW(main, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitUntil([] { return TrayIconBlueness() > 40; }, 5000)) << "the icon did not come back";
    ASSERT_NE(OpenMenu(), nullptr) << "no icon to click after the taskbar came back";
    PressKey(VK_ESCAPE);
    WaitUntil([&] { return !MenuIsOpen(); }, 5000);
    Exit();
}

TEST_F(MainWindowTest, AFocusedApplicationReceivesItsRulesHotkey)
{
    StartWithSettings(kRuleForTarget);

    TolvTest::KeyLogProcess target(TolvTest::KeyLogBuild::Native, L"TolvEndToEndTarget", L"メモ帳の代わり");
    ASSERT_NE(target.Window(), nullptr);
    ASSERT_TRUE(target.BringToFront());

    // Shift first (the send type), then the slot's own order without it: Alt, 2; released in reverse.
    const std::vector<std::pair<UINT, bool>> expected = {
        {VK_SHIFT, false}, {VK_MENU, false}, {'2', false}, {'2', true}, {VK_MENU, true}, {VK_SHIFT, true}};
    std::vector<std::pair<UINT, bool>> received;
    EXPECT_TRUE(WaitUntil([&] {
        received.clear();
        for (const auto& key : target.Log()) {
            received.emplace_back(key.virtualKey, key.up);
        }
        return received.size() >= expected.size();
    }, 5000));
    EXPECT_EQ(received, expected);
    Exit();
}

bool KeysArrived(const TolvTest::KeyLogProcess& window) { return !window.Log().empty(); }

TEST_F(MainWindowTest, PauseSwitchesNothingAndResumingSwitchesTheNextChange)
{
    StartWithSettings(kRuleForTarget); // windows are remembered by handle
    TolvTest::KeyLogProcess a(TolvTest::KeyLogBuild::Native, L"TolvEndToEndTarget", L"A");
    ASSERT_NE(a.Window(), nullptr);
    ASSERT_TRUE(a.BringToFront());
    ASSERT_TRUE(WaitUntil([&] { return KeysArrived(a); }, 5000)) << "A was not switched before the pause";
    const std::size_t keysOfA = a.Log().size();
    ASSERT_TRUE(WaitUntil([] { return TrayIconBlueness() > 40; }, 5000)) << "tolv's icon is not in the tray";

    ::PostMessageW(main, WM_COMMAND, IDM_PAUSE, 0);
    EXPECT_TRUE(WaitUntil([] { return TrayIconBlueness() < 0; }, 5000)) << "the icon does not show the pause";
    // Made only now: a new window takes the foreground by itself a little after it
    // appears, which before the pause could have put it in front instead of A.
    TolvTest::KeyLogProcess b(TolvTest::KeyLogBuild::Native, L"TolvEndToEndTarget", L"B");
    ASSERT_NE(b.Window(), nullptr);
    ASSERT_TRUE(b.BringToFront());
    // Several polls of the watcher: B is seen in front but not switched.
    EXPECT_FALSE(WaitUntil([&] { return KeysArrived(b); }, 2000)) << "switched while paused";

    ::PostMessageW(main, WM_COMMAND, IDM_PAUSE, 0);
    EXPECT_TRUE(WaitUntil([] { return TrayIconBlueness() > 40; }, 5000)) << "the icon still shows the pause";
    EXPECT_FALSE(WaitUntil([&] { return KeysArrived(b); }, 2000)) << "the window in front was switched because the pause ended";

    // Switching goes on with the next change, and B, seen only while paused, was not remembered.
    TolvTest::KeyLogProcess c(TolvTest::KeyLogBuild::Native, L"TolvEndToEndTarget", L"C");
    ASSERT_NE(c.Window(), nullptr);
    ASSERT_TRUE(c.BringToFront());
    EXPECT_TRUE(WaitUntil([&] { return KeysArrived(c); }, 5000)) << "the first change after the pause switched nothing";
    ASSERT_TRUE(b.BringToFront());
    EXPECT_TRUE(WaitUntil([&] { return KeysArrived(b); }, 5000)) << "B was remembered while paused";
    EXPECT_EQ(a.Log().size(), keysOfA);
    Exit();
}

// Which halves of the open menu show a check mark. Wine cannot read the menu of
// another process (GetMenuItemInfoW fails with ERROR_INVALID_MENU_HANDLE), so the
// marks are read from the screen: they are the only dark pixels in the menu's left
// margin, and 一時停止 sits in the upper half, Windows の起動時に実行 in the lower.
struct Marks {
    bool upper = false;
    bool lower = false;
    bool operator==(const Marks& other) const { return upper == other.upper && lower == other.lower; }
};

std::ostream& operator<<(std::ostream& out, const Marks& marks)
{
    return out << "{upper " << marks.upper << ", lower " << marks.lower << "}";
}

bool Dark(COLORREF pixel) { return GetRValue(pixel) < 100 && GetGValue(pixel) < 100 && GetBValue(pixel) < 100; }

// The menu's pixels, or nothing until its text is drawn.
std::vector<std::vector<COLORREF>> MenuPixels(HWND menu)
{
    RECT rect{};
    ::GetWindowRect(menu, &rect);
    std::vector<std::vector<COLORREF>> rows;
    bool text = false;
    HDC screen = ::GetDC(nullptr);
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::vector<COLORREF> row;
        for (int x = rect.left; x < rect.left + 40 && x < rect.right; ++x) {
            row.push_back(::GetPixel(screen, x, y));
            text = text || (x - rect.left >= 24 && Dark(row.back()));
        }
        rows.push_back(row);
    }
    ::ReleaseDC(nullptr, screen);
    return text ? rows : std::vector<std::vector<COLORREF>>{};
}

Marks MarksOf(const std::vector<std::vector<COLORREF>>& rows)
{
    Marks marks;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 3; x < 20 && x < rows[y].size(); ++x) {
            if (Dark(rows[y][x])) {
                (y < rows.size() / 2 ? marks.upper : marks.lower) = true;
            }
        }
    }
    return marks;
}

TEST_F(MainWindowTest, TrayMenuChecksThePauseAndTheRunEntryForThisProgram)
{
    TolvTest::RunEntryGuard guard;
    StartWithSettings();
    ASSERT_TRUE(WaitUntil([] { return TrayIconBlueness() > 40; }, 5000)) << "tolv's icon is not in the tray";
    const struct {
        const char* name;
        UINT command; // given before the menu opens, 0 for none
        Marks expected;
    } steps[] = {
        {"at start", 0, {false, false}},
        {"paused", IDM_PAUSE, {true, false}},
        {"paused, starting with Windows", IDM_START_WITH_WINDOWS, {true, true}},
        {"resumed", IDM_PAUSE, {false, true}},
        {"not starting with Windows", IDM_START_WITH_WINDOWS, {false, false}},
    };
    // The icon's own message: real clicks this close together would make a double click.
    const auto openMenu = [&] {
        ::PostMessageW(main, Tolv::kTrayCallbackMessage, Tolv::kTrayIconId, WM_RBUTTONDOWN);
        HWND menu = nullptr;
        WaitUntil([&] { return (menu = tolv->FindWindowOfProcess(kMenuClass)) != nullptr && ::IsWindowVisible(menu); },
                  5000);
        return MenuIsOpen() ? menu : nullptr;
    };
    for (const auto& step : steps) {
        if (step.command != 0) {
            ::SendMessageW(main, WM_COMMAND, step.command, 0);
        }
        const HWND menu = openMenu();
        ASSERT_NE(menu, nullptr) << step.name;
        std::vector<std::vector<COLORREF>> pixels;
        EXPECT_TRUE(WaitUntil([&] { return !(pixels = MenuPixels(menu)).empty(); }, 5000)) << step.name;
        EXPECT_EQ(MarksOf(pixels), step.expected) << step.name;
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(WaitUntil([&] { return !MenuIsOpen(); }, 5000)) << step.name;
    }

    // tolv.exe was moved: the entry names another path, and the item shows unchecked.
    TolvTest::WriteRunEntry(L"\"C:\\Program Files\\tolv\\tolv.exe\"");
    const HWND menu = openMenu();
    ASSERT_NE(menu, nullptr);
    std::vector<std::vector<COLORREF>> pixels;
    EXPECT_TRUE(WaitUntil([&] { return !(pixels = MenuPixels(menu)).empty(); }, 5000));
    EXPECT_EQ(MarksOf(pixels), Marks{}) << "an entry for another path";
    PressKey(VK_ESCAPE);
    WaitUntil([&] { return !MenuIsOpen(); }, 5000);
    Exit();
}

TEST_F(MainWindowTest, StartWithWindowsWritesAndRemovesTheRunEntryForThisProgram)
{
    TolvTest::RunEntryGuard guard;
    StartWithSettings();
    const std::wstring command = L"\"" + TolvTest::TolvExePath() + L"\"";

    ::PostMessageW(main, WM_COMMAND, IDM_START_WITH_WINDOWS, 0);
    EXPECT_TRUE(WaitUntil([&] { return TolvTest::ReadRunEntry() == command; }, 5000));
    ::PostMessageW(main, WM_COMMAND, IDM_START_WITH_WINDOWS, 0);
    EXPECT_TRUE(WaitUntil([&] { return !TolvTest::ReadRunEntry().has_value(); }, 5000));

    // tolv.exe was moved since the entry was written: choosing rewrites it for this one.
    TolvTest::WriteRunEntry(L"\"C:\\Program Files\\tolv\\tolv.exe\"");
    ::PostMessageW(main, WM_COMMAND, IDM_START_WITH_WINDOWS, 0);
    EXPECT_TRUE(WaitUntil([&] { return TolvTest::ReadRunEntry() == command; }, 5000));
    Exit();
    EXPECT_EQ(TolvTest::ReadRunEntry(), command) << "the entry is not tolv's to remove at exit";
}

// The watcher describes whatever is in front, tolv's own windows too, while the
// main thread shuts down and waits for it: that must never hang.
TEST_F(MainWindowTest, EndsWhileItsOwnWindowIsInFront)
{
    const struct {
        const char* name;
        std::function<HWND()> open; // the window of tolv that comes to the front
    } cases[] = {
        {"tray menu", [&] { return OpenMenu() != nullptr ? main : nullptr; }},
        {"about box", [&] {
             ::PostMessageW(main, WM_COMMAND, IDM_ABOUT, 0);
             HWND about = nullptr;
             WaitUntil([&] { return (about = tolv->FindWindowOfProcess(kDialogClass, L"バージョン情報")) != nullptr; });
             return about;
         }},
        {"settings sheet", [&] {
             ::PostMessageW(main, WM_COMMAND, IDM_SETTINGS, 0);
             HWND sheet = nullptr;
             WaitUntil([&] { return (sheet = tolv->FindWindowOfProcess(kDialogClass)) != nullptr; });
             return sheet;
         }},
    };
    for (int round = 1; round <= 2; ++round) {
        for (const auto& c : cases) {
            StartWithSettings();
            const HWND own = c.open();
            ASSERT_NE(own, nullptr) << c.name;
            ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == own; }, 5000)) << c.name;

            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &result);
            int code = 1234;
            ASSERT_TRUE(tolv->WaitForExit(15000, code)) << c.name << ", round " << round << ": tolv did not end";
            EXPECT_EQ(code, Tolv::kExitNormal) << c.name;
        }
    }
}

TEST_F(MainWindowTest, ItsPrivateMessagesFromAnotherProgramDoNoHarmAndBalloonsStillCome)
{
    StartWithSettings(kRuleForTarget);
    // The balloon wake-up with whatever another program may put in it.
    const LPARAM values[] = {0, 0x12345678, static_cast<LPARAM>(0x00007FF712345678ull), -1};
    for (LPARAM value : values) {
        ::PostMessageW(main, Tolv::kBalloonMessage, static_cast<WPARAM>(value), value);
    }
    // A creation message long after the window was made.
    CREATESTRUCTW create{};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(main, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create), SMTO_ABORTIFHUNG, 5000, &result);
    ASSERT_TRUE(Answers()) << "tolv stopped answering";

    TolvTest::KeyLogProcess target(TolvTest::KeyLogBuild::Native, L"TolvEndToEndTarget", L"メモ帳の代わり");
    ASSERT_NE(target.Window(), nullptr);
    ASSERT_TRUE(target.BringToFront());
    // The balloon names the process it switched for, so an older one cannot pass.
    const std::wstring processLine = L"【プロセスID】" + std::to_wstring(target.Id());
    EXPECT_TRUE(WaitUntil([&] {
        for (const std::wstring& text : TolvTest::ShownBalloonTexts()) {
            if (text.find(processLine) != std::wstring::npos) {
                return true;
            }
        }
        return false;
    }, 15000)) << "no switch balloon after the foreign messages";
    Exit();
}

// A command that opens a modal window, and how to find that window.
struct ModalCommandCase {
    const char* name;
    UINT command;
    const wchar_t* title;
};

class ModalCommandTest : public MainWindowTest, public ::testing::WithParamInterface<ModalCommandCase> {
protected:
    // Posts the command twice, as a second click or another program may; then a
    // tray click behind them, whose effect shows both have been handled.
    HWND OpenTwiceAndClickTheTray()
    {
        ::PostMessageW(main, WM_COMMAND, GetParam().command, 0);
        ::PostMessageW(main, WM_COMMAND, GetParam().command, 0);
        HWND window = nullptr;
        EXPECT_TRUE(WaitUntil([&] {
            window = tolv->FindWindowOfProcess(kDialogClass, GetParam().title);
            return window != nullptr && ::IsWindowVisible(window);
        }));
        HWND other = ::CreateWindowExW(0, L"Static", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200,
                                       100, nullptr, nullptr, nullptr, nullptr);
        ::SetForegroundWindow(other);
        EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == other; }));
        ::PostMessageW(main, Tolv::kTrayCallbackMessage, Tolv::kTrayIconId, WM_RBUTTONDOWN);
        EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == window; }, 5000))
            << "the open window did not come to the front";
        ::DestroyWindow(other);
        return window;
    }
};

TEST_P(ModalCommandTest, GivenTwiceOpensOneWindowWhichHoldsTheTray)
{
    StartWithSettings();
    HWND window = OpenTwiceAndClickTheTray();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Dialogs(), std::vector<HWND>{window});
    EXPECT_FALSE(MenuIsOpen());

    // The window ends as usual and everything works as before.
    ::PostMessageW(window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(window); }));
    EXPECT_TRUE(Dialogs().empty());
    ASSERT_NE(OpenMenu(), nullptr) << "the menu did not come back";
    PressKey(VK_ESCAPE);
    WaitUntil([&] { return !MenuIsOpen(); }, 5000);
    Exit();
}

INSTANTIATE_TEST_SUITE_P(Commands, ModalCommandTest,
                         ::testing::Values(ModalCommandCase{"About", IDM_ABOUT, L"バージョン情報"},
                                           ModalCommandCase{"Settings", IDM_SETTINGS, L"設定 - トルヴ"}),
                         [](const ::testing::TestParamInfo<ModalCommandCase>& info) { return info.param.name; });

TEST_F(MainWindowTest, SettingsGivenTwiceStillApplyTheirOk)
{
    StartWithSettings();
    ::PostMessageW(main, WM_COMMAND, IDM_SETTINGS, 0);
    ::PostMessageW(main, WM_COMMAND, IDM_SETTINGS, 0);
    HWND sheet = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        sheet = tolv->FindWindowOfProcess(kDialogClass, L"設定 - トルヴ");
        return sheet != nullptr && ::IsWindowVisible(sheet);
    }));
    // Balloons off on the notification page.
    ::SendMessageW(sheet, PSM_SETCURSEL, 4, 0);
    HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(page, nullptr);
    ::SendDlgItemMessageW(page, IDC_NOTIFY_USE, BM_CLICK, 0, 0);
    ASSERT_EQ(::SendDlgItemMessageW(page, IDC_NOTIFY_USE, BM_GETCHECK, 0, 0), BST_UNCHECKED);

    ::PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(sheet); }));
    EXPECT_TRUE(Dialogs().empty()) << "a second sheet opened after the first";
    Exit();
    EXPECT_NE(ReadSettings(settings.Path()).find(L"Notify.Use=false"), std::wstring::npos) << "the OK was lost";
}

} // namespace
