// Not a test: opens the settings sheet on a rule of every match type and shows
// the two condition list pages, both condition dialogs, the message for a
// pattern that does not compile and the window picker over a few real windows
// of other processes, one at a time. Before each it prints
// "SHOT <name> <left> <top> <right> <bottom>" and waits for a line on standard
// input, so take-screenshots.sh can photograph the screen and cut the window
// out. The argument is the suffix of the names ("-96", "-144").
#include <windows.h>

#include <cstddef>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/SettingsMessage.h"
#include "configuration/CConfigurations.h"
#include "engine/ConditionMatching.h"
#include "flib/Owned.h"
#include "resources/ResourceIds.h"
#include "tests/app/settings/ConditionListDriver.h"
#include "tests/app/settings/SheetDriver.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/Wait.h"

namespace {

using namespace Configuration;

std::string suffix;
constexpr wchar_t kMessageCaption[] = L"トルヴ : 自動IME切り替え機";

void ShootArea(const char* name, RECT rect)
{
    TolvTest::WaitUntil([] { return false; }, 400); // let it paint
    std::printf("SHOT %s%s %ld %ld %ld %ld\n", name, suffix.c_str(), rect.left, rect.top, rect.right, rect.bottom);
    std::fflush(stdout);
    std::string done;
    std::getline(std::cin, done);
}

void Shoot(const char* name, HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    ShootArea(name, rect);
}

constexpr wchar_t kBadPattern[] = L"Chrome_WidgetWin_(\\d+";

// A new rule's dialog whose OK was refused for a pattern that does not
// compile: the pattern stays, selected for correcting.
bool ShootPatternError(const TolvTest::OpenSheet& sheet, HWND page)
{
    TolvTest::ClickLater(page, IDC_APPLICATION_ADD);
    HWND dialog = sheet.Thread().WaitForDialog(L"条件設定");
    if (dialog == nullptr) {
        return false;
    }
    TolvTest::Choose(dialog, IDC_CONDITION_MATCHTYPE, MT_CLASSNAME_REGEX);
    TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, kBadPattern);
    TolvTest::ClickLater(dialog, IDOK);
    HWND message = sheet.Thread().WaitForDialog(kMessageCaption);
    if (message == nullptr) {
        return false;
    }
    TolvTest::ClickLater(message, IDOK);
    TolvTest::WaitUntil([&] { return !::IsWindow(message); }, 5000);
    Shoot("condition-pattern-error", dialog);
    TolvTest::ClickLater(dialog, IDCANCEL);
    return TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000);
}

// The message itself. Under Wine's virtual desktop a message box owned by
// the condition dialog stays black on the screen, so the same message is
// shown here without an owner, through the program's own function.
bool ShootPatternMessage()
{
    std::wstring reason;
    std::size_t position = 0;
    Engine::PatternCompiles(MT_CLASSNAME_REGEX, kBadPattern, reason, position);
    TolvTest::UiThread ui([&] {
        Tolv::ShowSettingsMessage(::GetModuleHandleW(nullptr), nullptr, IDS_CONDITION_PATTERN_INVALID,
                                  {reason, std::to_wstring(position + 1)}, MB_OK | MB_ICONWARNING);
    });
    HWND message = ui.WaitForDialog(kMessageCaption);
    if (message == nullptr) {
        return false;
    }
    Shoot("condition-pattern-message", message);
    TolvTest::ClickLater(message, IDOK);
    return ui.WaitForEnd();
}

void AddRule(CConfigurations& live, MatchType type, const std::wstring& expression, int ime)
{
    live.GetSwitchOnApplication()->GetApplications()->Add(
        std::make_unique<CApplication4SwitchOnApplication>(type, expression, ime));
}

// Opens the condition dialog on row `row` of `listId` and photographs it.
bool ShootDialog(const TolvTest::OpenSheet& sheet, HWND page, int listId, int editId, int row, const char* name)
{
    TolvTest::SelectRows(::GetDlgItem(page, listId), {row});
    TolvTest::ClickLater(page, editId);
    HWND dialog = sheet.Thread().WaitForDialog(L"条件設定");
    if (dialog == nullptr) {
        return false;
    }
    Shoot(name, dialog);
    TolvTest::ClickLater(dialog, IDCANCEL);
    return TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000);
}

// Wine's own notepad, a real program with a window to pick; null if it did not start.
Flib::OwnedHandle StartNotepad()
{
    std::wstring commandLine = L"notepad.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return Flib::OwnedHandle();
    }
    ::CloseHandle(info.hThread);
    ::WaitForInputIdle(info.hProcess, 5000);
    return Flib::OwnedHandle(info.hProcess);
}

// The picker opened from a rule's condition dialog, with the notepad row selected.
bool ShootPick(const TolvTest::OpenSheet& sheet, HWND page)
{
    TolvTest::SelectRows(::GetDlgItem(page, IDC_APPLICATION_LIST), {6});
    TolvTest::ClickLater(page, IDC_APPLICATION_EDIT);
    HWND dialog = sheet.Thread().WaitForDialog(L"条件設定");
    if (dialog == nullptr) {
        return false;
    }
    TolvTest::ClickLater(dialog, IDC_CONDITION_PICK);
    HWND pick = sheet.Thread().WaitForDialog(L"ウィンドウの選択");
    if (pick == nullptr) {
        return false;
    }
    const HWND list = ::GetDlgItem(pick, IDC_PICK_LIST);
    const std::vector<TolvTest::Row> rows = TolvTest::Rows(list);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].size() == 3 && rows[r][2] == L"Notepad") {
            TolvTest::SelectRows(list, {static_cast<int>(r)});
        }
    }
    Shoot("pick-window", pick);
    TolvTest::ClickLater(pick, IDCANCEL);
    TolvTest::WaitUntil([&] { return !::IsWindow(pick); }, 5000);
    TolvTest::ClickLater(dialog, IDCANCEL);
    return TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: condition_list_screenshots <name suffix>\n");
        return 2;
    }
    for (const wchar_t* c = argv[1]; *c != L'\0'; ++c) {
        suffix += static_cast<char>(*c);
    }
    std::unique_ptr<CConfigurations> live = TolvTest::MakeStartupConfiguration();
    live->GetImes()->GetAt(0)->SetName(L"Microsoft IME");
    live->GetImes()->GetAt(1)->SetName(L"Google 日本語入力");
    live->GetImes()->GetAt(2)->SetName(L"ATOK");
    // One rule of every match type, so every name shows in the 対象 column.
    AddRule(*live, MT_FILENAME, L"notepad.exe", 0);
    AddRule(*live, MT_FILENAME_REGEX, L"(winword|excel)\\.exe", 2);
    AddRule(*live, MT_FULLPATH, L"C:\\Program Files\\Mozilla Firefox\\firefox.exe", 1);
    AddRule(*live, MT_FULLPATH_REGEX, L"C:\\\\Tools\\\\.*\\.exe", 0);
    AddRule(*live, MT_CLASSNAME, L"Notepad", 0);
    AddRule(*live, MT_CLASSNAME_REGEX, L"^Chrome_WidgetWin_\\d+$", 1);
    AddRule(*live, MT_WINDOWTEXT, L"無題 - メモ帳", 2);
    AddRule(*live, MT_WINDOWTEXT_REGEX, L".* - Visual Studio Code", 3);
    CSwitchOnArchitecture& architecture = *live->GetSwitchOnArchitecture();
    architecture.SetUse(1);
    architecture.Set32BitImeNumber(2);
    architecture.Set64BitImeNumber(0);
    architecture.GetIgnoreApplications()->Add(
        std::make_unique<CApplication4SwitchOnArchitecture>(MT_FULLPATH_REGEX, L"C:\\\\Games\\\\.*"));
    architecture.GetIgnoreApplications()->Add(
        std::make_unique<CApplication4SwitchOnArchitecture>(MT_WINDOWTEXT, L"リモート デスクトップ接続"));

    // Windows of other programs for the picker, behind the sheet.
    const Flib::OwnedHandle notepad = StartNotepad();
    TolvTest::KeyLogProcess mail(TolvTest::KeyLogBuild::Native, L"TolvDemoMail", L"受信トレイ - メール (demo)");
    TolvTest::KeyLogProcess terminal(TolvTest::KeyLogBuild::Native, L"ConsoleWindowClass", L"ターミナル (demo)");

    TolvTest::OpenSheet sheet(*live);
    if (sheet.Sheet() == nullptr) {
        return 1;
    }
    HWND applications = sheet.ShowPage(2);
    Shoot("settings-conditions", sheet.Sheet());
    bool shown = ShootDialog(sheet, applications, IDC_APPLICATION_LIST, IDC_APPLICATION_EDIT, 5,
                             "condition-dialog");
    shown = ShootPick(sheet, applications) && shown;
    shown = ShootPatternError(sheet, applications) && shown;
    shown = ShootPatternMessage() && shown;
    HWND architecturePage = sheet.ShowPage(3);
    Shoot("settings-architecture", sheet.Sheet());
    shown = ShootDialog(sheet, architecturePage, IDC_ARCHITECTURE_IGNORE_LIST, IDC_ARCHITECTURE_EDIT, 2,
                        "exclusion-dialog") && shown;
    sheet.PressCancel();
    sheet.Closed();
    if (notepad) {
        ::TerminateProcess(notepad.Get(), 0);
    }
    return shown ? 0 : 1;
}
