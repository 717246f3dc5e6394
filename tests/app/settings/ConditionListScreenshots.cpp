// Not a test: opens the settings sheet on a few rules and shows the two
// condition list pages and both condition dialogs, one at a time. Before each
// it prints "SHOT <name> <left> <top> <right> <bottom>" and waits for a line
// on standard input, so take-condition-screenshots.sh can photograph the
// screen and cut the window out.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "configuration/CConfigurations.h"
#include "resources/ResourceIds.h"
#include "tests/app/settings/ConditionListDriver.h"
#include "tests/app/settings/SheetDriver.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/support/Wait.h"

namespace {

using namespace Configuration;

void Shoot(const char* name, HWND window)
{
    TolvTest::WaitUntil([] { return false; }, 400); // let it paint
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    std::printf("SHOT %s %ld %ld %ld %ld\n", name, rect.left, rect.top, rect.right, rect.bottom);
    std::fflush(stdout);
    std::string done;
    std::getline(std::cin, done);
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

} // namespace

int wmain()
{
    std::unique_ptr<CConfigurations> live = TolvTest::MakeStartupConfiguration();
    live->GetImes()->GetAt(0)->SetName(L"Microsoft IME");
    live->GetImes()->GetAt(1)->SetName(L"Google 日本語入力");
    live->GetImes()->GetAt(2)->SetName(L"ATOK");
    AddRule(*live, MT_FILENAME, L"notepad.exe", 0);
    AddRule(*live, MT_FULLPATH, L"C:\\Program Files\\Mozilla Firefox\\firefox.exe", 1);
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

    TolvTest::OpenSheet sheet(*live);
    if (sheet.Sheet() == nullptr) {
        return 1;
    }
    HWND applications = sheet.ShowPage(2);
    Shoot("settings-conditions", sheet.Sheet());
    bool shown = ShootDialog(sheet, applications, IDC_APPLICATION_LIST, IDC_APPLICATION_EDIT, 1,
                             "condition-dialog");
    HWND architecturePage = sheet.ShowPage(3);
    Shoot("settings-architecture", sheet.Sheet());
    shown = ShootDialog(sheet, architecturePage, IDC_ARCHITECTURE_IGNORE_LIST, IDC_ARCHITECTURE_EDIT, 2,
                        "exclusion-dialog") && shown;
    sheet.PressCancel();
    sheet.Closed();
    return shown ? 0 : 1;
}
