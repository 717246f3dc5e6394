// Not a test: opens the settings sheet, shows each tab and the hotkey dialog
// and saves each window as a bitmap, for the pictures in docs/. Run by
// take-screenshots.sh, which converts them and repeats at a second DPI.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "configuration/CConfigurations.h"
#include "flib/io/CKeys.h"
#include "resources/ResourceIds.h"
#include "tests/app/settings/SheetDriver.h"
#include "tests/app/settings/WindowPicture.h"
#include "tests/support/Wait.h"

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: settings_screenshots <output folder> <name suffix>\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const std::wstring suffix = argv[2];
    Configuration::CConfigurations live;
    live.GetImes()->GetAt(0)->SetName(L"Microsoft IME");
    live.GetImes()->GetAt(1)->SetName(L"Google 日本語入力");
    live.GetImes()->GetAt(1)->SetKeys(Flib::IO::Input::CKeys{VK_CONTROL, VK_SHIFT, '2'});
    TolvTest::OpenSheet sheet(live);
    if (sheet.Sheet() == nullptr) {
        return 1;
    }
    int failures = 0;
    for (int tab = 0; tab < 5; ++tab) {
        sheet.ShowPage(tab);
        failures += !TolvTest::SaveWindow(sheet.Sheet(), folder + L"\\settings-tab" + std::to_wstring(tab + 1) + suffix + L".bmp");
    }
    HWND ime = sheet.ShowPage(0);
    TolvTest::ClickLater(ime, IDC_IME2_CHANGE);
    if (HWND hotkey = sheet.Thread().WaitForDialog(L"送信キーの設定 - IME-2: Google 日本語入力")) {
        failures += !TolvTest::SaveWindow(hotkey, folder + L"\\settings-hotkey" + suffix + L".bmp");
        TolvTest::ClickLater(hotkey, IDCANCEL);
        TolvTest::WaitUntil([&] { return !::IsWindow(hotkey); }, 5000);
    } else {
        ++failures;
    }
    sheet.PressCancel();
    sheet.Closed();
    return failures == 0 ? 0 : 1;
}
