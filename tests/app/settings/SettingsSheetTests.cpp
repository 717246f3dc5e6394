// The settings sheet on a real property sheet: what reaches the live
// configuration with OK and Cancel, and the IME page's names and hotkeys.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

#include "app/settings/SheetLists.h"
#include "configuration/CIme.h"
#include "configuration/CImes.h"
#include "resources/ResourceIds.h"
#include "tests/app/settings/SheetDriver.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/support/Wait.h"

namespace {

using Flib::IO::Input::CKeys;
using TolvTest::ItemText;
using TolvTest::OpenSheet;
using TolvTest::SavedText;

constexpr int kImeTab = 0;
constexpr int kSystemTab = 1;
constexpr int kNotifyTab = 4;
constexpr wchar_t kMessageCaption[] = L"トルヴ : 自動IME切り替え機";

// The hotkey dialog's caption names the slot as its name box shows it.
std::wstring HotkeyCaption(const std::wstring& slotText) { return L"送信キーの設定 - " + slotText; }

// Changes a slot's hotkey to Ctrl + `digit` through the hotkey dialog and confirms it.
void ChangeHotkeyToCtrl(const OpenSheet& sheet, HWND imePage, int changeButton, const std::wstring& slotText,
                        int digit)
{
    TolvTest::ClickLater(imePage, changeButton);
    HWND dialog = sheet.Thread().WaitForDialog(HotkeyCaption(slotText));
    ASSERT_NE(dialog, nullptr) << "the hotkey dialog did not open";
    for (const int box : {IDC_HOTKEY_ALT, IDC_HOTKEY_CTRL, IDC_HOTKEY_SHIFT}) {
        if (TolvTest::IsTicked(dialog, box) != (box == IDC_HOTKEY_CTRL)) {
            TolvTest::Click(dialog, box);
        }
    }
    TolvTest::Choose(dialog, IDC_HOTKEY_DIGIT, digit);
    TolvTest::ClickLater(dialog, IDOK);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
}

class SettingsSheetTest : public ::testing::Test {
protected:
    std::unique_ptr<Configuration::CConfigurations> live = TolvTest::MakeStartupConfiguration();
};

TEST_F(SettingsSheetTest, ShowsFivePagesInTabOrderUnderItsCaptionWithOnlyOkAndCancel)
{
    OpenSheet sheet(*live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    HWND tabs = reinterpret_cast<HWND>(::SendMessageW(sheet.Sheet(), PSM_GETTABCONTROL, 0, 0));
    std::vector<std::wstring> titles;
    for (int t = 0; t < TabCtrl_GetItemCount(tabs); ++t) {
        wchar_t text[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        TabCtrl_GetItem(tabs, t, &item);
        titles.push_back(text);
    }
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"IME設定", L"システム設定", L"IME切替設定", L"32/64bit切替設定",
                                                 L"通知設定"}));
    // Every page, the two with the condition lists too, comes up from its template.
    for (int t = 0; t < 5; ++t) {
        EXPECT_NE(sheet.ShowPage(t), nullptr) << "tab " << t;
    }
    EXPECT_NE(::GetDlgItem(sheet.ShowPage(2), IDC_APPLICATION_LIST), nullptr);
    EXPECT_NE(::GetDlgItem(sheet.ShowPage(3), IDC_ARCHITECTURE_IGNORE_LIST), nullptr);
    HWND apply = ::GetDlgItem(sheet.Sheet(), 0x3021); // the sheet's Apply button
    EXPECT_TRUE(apply == nullptr || !::IsWindowVisible(apply));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(sheet.Sheet(), IDOK)));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(sheet.Sheet(), IDCANCEL)));
    sheet.PressCancel();
    ASSERT_TRUE(sheet.Closed());
}

TEST_F(SettingsSheetTest, CancelAfterChangingHotkeysNamesAndChoicesLeavesTheLiveConfigurationAsItWas)
{
    const std::wstring before = SavedText(*live);
    OpenSheet sheet(*live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    HWND ime = sheet.ShowPage(kImeTab);
    ChangeHotkeyToCtrl(sheet, ime, IDC_IME2_CHANGE, L"IME-2: IME-2", 7);
    EXPECT_EQ(ItemText(ime, IDC_IME2_KEYS), L"Ctrl + 7");
    TolvTest::Type(ime, IDC_IME1_NAME, L"取り消される名前");
    TolvTest::Click(sheet.ShowPage(kSystemTab), IDC_SEND_ALTFIRST);
    TolvTest::Click(sheet.ShowPage(kNotifyTab), IDC_NOTIFY_USE);

    sheet.PressCancel();
    ASSERT_TRUE(sheet.Closed());
    EXPECT_EQ(sheet.Applied(), 0);
    EXPECT_EQ(SavedText(*live), before);
    EXPECT_TRUE(sheet.ModalRunEnded());
}

TEST_F(SettingsSheetTest, OkWithoutChangesHandsOverAnEqualCopy)
{
    const std::wstring before = SavedText(*live);
    OpenSheet sheet(*live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    sheet.PressOk();
    ASSERT_TRUE(sheet.Closed());

    EXPECT_EQ(sheet.Applied(), 1);
    EXPECT_EQ(SavedText(*live), before);
    // The sheet told its window to the modal run, which still named it while the copy was applied.
    EXPECT_EQ(sheet.ModalWindowAtApply(), sheet.Sheet());
    EXPECT_TRUE(sheet.ModalRunEnded());
}

TEST_F(SettingsSheetTest, ImePageShowsEachSlotsNameHotkeyAndTheSortedPresets)
{
    live->GetImes()->GetAt(2)->SetName(L"Google 日本語入力");
    live->GetImes()->GetAt(3)->SetKeys(CKeys{VK_CONTROL, VK_SHIFT, '0'});
    OpenSheet sheet(*live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    HWND ime = sheet.ShowPage(kImeTab);
    struct Slot {
        int name;
        int keys;
        const wchar_t* shownName;
        const wchar_t* shownKeys;
    };
    const Slot slots[] = {
        {IDC_IME1_NAME, IDC_IME1_KEYS, L"IME-1", L"Alt + Shift + 1"},
        {IDC_IME2_NAME, IDC_IME2_KEYS, L"IME-2", L"Alt + Shift + 2"},
        {IDC_IME3_NAME, IDC_IME3_KEYS, L"Google 日本語入力", L"Alt + Shift + 3"},
        {IDC_IME4_NAME, IDC_IME4_KEYS, L"IME-4", L"Ctrl + Shift + 0"},
    };
    const std::vector<std::wstring> presets = {L"ATOK",     L"Baidu Type",    L"Google 日本語入力",
                                               L"Japanist", L"Microsoft IME", L"Social IME"};
    for (const Slot& slot : slots) {
        EXPECT_EQ(ItemText(ime, slot.name), slot.shownName);
        EXPECT_EQ(ItemText(ime, slot.keys), slot.shownKeys);
        std::vector<std::wstring> items;
        const LRESULT count = ::SendDlgItemMessageW(ime, slot.name, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[64] = {};
            ::SendDlgItemMessageW(ime, slot.name, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        EXPECT_EQ(items, presets) << "slot " << slot.shownName;
    }
    sheet.PressCancel();
    ASSERT_TRUE(sheet.Closed());
}

// A hand-edited file with two slots: the groups without a slot are empty and
// disabled, and OK keeps exactly the two slots.
TEST_F(SettingsSheetTest, ImePageGroupsBeyondTheSlotCountAreEmptyAndDisabled)
{
    Configuration::CImes& imes = *live->GetImes();
    imes.Clear();
    imes.Add(std::make_unique<Configuration::CIme>(L"ATOK", CKeys{VK_CONTROL, '1'}));
    imes.Add(std::make_unique<Configuration::CIme>(L"Microsoft IME", CKeys{VK_CONTROL, '2'}));
    OpenSheet sheet(*live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    HWND ime = sheet.ShowPage(kImeTab);
    struct Group {
        int name;
        int keys;
        int change;
        bool used;
    };
    for (const Group& g : {Group{IDC_IME1_NAME, IDC_IME1_KEYS, IDC_IME1_CHANGE, true},
                           Group{IDC_IME2_NAME, IDC_IME2_KEYS, IDC_IME2_CHANGE, true},
                           Group{IDC_IME3_NAME, IDC_IME3_KEYS, IDC_IME3_CHANGE, false},
                           Group{IDC_IME4_NAME, IDC_IME4_KEYS, IDC_IME4_CHANGE, false}}) {
        for (const int id : {g.name, g.keys, g.change}) {
            EXPECT_EQ(TolvTest::IsItemEnabled(ime, id), g.used) << id;
        }
        EXPECT_EQ(ItemText(ime, g.name).empty(), !g.used) << g.name;
        EXPECT_EQ(ItemText(ime, g.keys).empty(), !g.used) << g.keys;
        EXPECT_EQ(::SendDlgItemMessageW(ime, g.name, CB_GETCOUNT, 0, 0) == 0, !g.used) << g.name;
    }
    EXPECT_EQ(ItemText(ime, IDC_IME2_KEYS), L"Ctrl + 2");
    sheet.PressOk();
    ASSERT_TRUE(sheet.Closed());
    ASSERT_EQ(live->GetImes()->Count(), 2);
    EXPECT_EQ(live->GetImes()->GetAt(1)->GetName(), L"Microsoft IME");
}

// What a display name box holds at OK, and the name the slot keeps.
struct NameCase {
    const char* name;
    std::wstring typed; // typed into the box, unless a preset is chosen
    int preset;         // index in the sorted list, or -1
    std::wstring stored;
};

class TypedNameTest : public SettingsSheetTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(TypedNameTest, NameInTheBoxAtOkBecomesTheSlotsName)
{
    OpenSheet sheet(*live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    HWND ime = sheet.ShowPage(kImeTab);
    if (GetParam().preset >= 0) {
        TolvTest::Choose(ime, IDC_IME2_NAME, GetParam().preset);
    } else {
        TolvTest::Type(ime, IDC_IME2_NAME, GetParam().typed);
    }
    // Leaving the page stores nothing yet.
    sheet.ShowPage(kNotifyTab);
    EXPECT_EQ(live->GetImes()->GetAt(1)->GetName(), L"IME-2");
    sheet.PressOk();
    ASSERT_TRUE(sheet.Closed());
    EXPECT_EQ(live->GetImes()->GetAt(1)->GetName(), GetParam().stored);
    EXPECT_EQ(live->GetImes()->GetAt(0)->GetName(), L"IME-1");
    // The labels the pages offer stay those of the opening until the next one.
    EXPECT_EQ(Tolv::ImeSlotLabels[1], L"IME-2");
}

INSTANTIATE_TEST_SUITE_P(
    Names, TypedNameTest,
    ::testing::Values(NameCase{"FreeText", L"自作の入力方式", -1, L"自作の入力方式"},
                      NameCase{"PresetFromTheList", L"", 2, L"Google 日本語入力"}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return info.param.name; });

// The file would drop a slot without a name and renumber the ones after it:
// OK names the slot, brings the IME page back and keeps the sheet open.
TEST_F(SettingsSheetTest, BlankNameIsRefusedWithAMessageOnTheImePage)
{
    for (const wchar_t* blank : {L"", L"  \t "}) {
        OpenSheet sheet(*live);
        ASSERT_NE(sheet.Sheet(), nullptr);
        HWND ime = sheet.ShowPage(kImeTab);
        TolvTest::Type(ime, IDC_IME2_NAME, blank);
        sheet.ShowPage(kNotifyTab);
        sheet.PressOk();
        HWND message = sheet.Thread().WaitForDialog(kMessageCaption);
        ASSERT_NE(message, nullptr) << "no message for a blank name";
        EXPECT_NE(ItemText(message, 0xFFFF).find(L"IME-2"), std::wstring::npos) << "the message names the slot";
        TolvTest::ClickLater(message, IDOK);
        ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(message); }, 5000));
        EXPECT_TRUE(TolvTest::WaitUntil(
            [&] { return reinterpret_cast<HWND>(::SendMessageW(sheet.Sheet(), PSM_GETCURRENTPAGEHWND, 0, 0)) == ime; },
            5000))
            << "the sheet shows the page with the blank name";
        EXPECT_EQ(sheet.Applied(), 0);

        TolvTest::Type(ime, IDC_IME2_NAME, L"ATOK");
        sheet.PressOk();
        ASSERT_TRUE(sheet.Closed());
        EXPECT_EQ(live->GetImes()->GetAt(1)->GetName(), L"ATOK");
        live->GetImes()->GetAt(1)->SetName(L"IME-2");
    }
}

TEST_F(SettingsSheetTest, ReopenedSheetShowsWhatWasConfirmedLast)
{
    {
        OpenSheet sheet(*live);
        ASSERT_NE(sheet.Sheet(), nullptr);
        HWND ime = sheet.ShowPage(kImeTab);
        TolvTest::Type(ime, IDC_IME3_NAME, L"ATOK");
        ChangeHotkeyToCtrl(sheet, ime, IDC_IME3_CHANGE, L"IME-3: ATOK", 9);
        TolvTest::Click(sheet.ShowPage(kSystemTab), IDC_PROCESSED_NONE);
        sheet.PressOk();
        ASSERT_TRUE(sheet.Closed());
    }
    EXPECT_EQ(live->GetImes()->GetAt(2)->GetKeys(), (CKeys{VK_CONTROL, '9'}));

    OpenSheet again(*live);
    ASSERT_NE(again.Sheet(), nullptr);
    HWND ime = again.ShowPage(kImeTab);
    EXPECT_EQ(ItemText(ime, IDC_IME3_NAME), L"ATOK");
    EXPECT_EQ(ItemText(ime, IDC_IME3_KEYS), L"Ctrl + 9");
    EXPECT_TRUE(TolvTest::IsTicked(again.ShowPage(kSystemTab), IDC_PROCESSED_NONE));
    EXPECT_EQ(Tolv::ImeSlotLabels[2], L"ATOK");
    again.PressCancel();
    ASSERT_TRUE(again.Closed());
}

TEST_F(SettingsSheetTest, HotkeyDialogCancelledFromThePageChangesNeitherTheBoxNorTheCopy)
{
    OpenSheet sheet(*live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    HWND ime = sheet.ShowPage(kImeTab);
    TolvTest::ClickLater(ime, IDC_IME4_CHANGE);
    HWND dialog = sheet.Thread().WaitForDialog(HotkeyCaption(L"IME-4: IME-4"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::GetWindow(dialog, GW_OWNER), sheet.Sheet()) << "the dialog must be owned by the sheet";
    TolvTest::Click(dialog, IDC_HOTKEY_CTRL);
    TolvTest::Choose(dialog, IDC_HOTKEY_DIGIT, 8);
    TolvTest::ClickLater(dialog, IDCANCEL);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
    EXPECT_EQ(ItemText(ime, IDC_IME4_KEYS), L"Alt + Shift + 4");
    sheet.PressOk();
    ASSERT_TRUE(sheet.Closed());
    EXPECT_EQ(live->GetImes()->GetAt(3)->GetKeys(), (CKeys{VK_MENU, VK_SHIFT, '4'}));
}

TEST_F(SettingsSheetTest, MatchTypeNamesFollowTheMatchTypeValues)
{
    OpenSheet sheet(*live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    sheet.PressCancel();
    ASSERT_TRUE(sheet.Closed());
    EXPECT_EQ(Tolv::MatchTypeNames,
              (std::vector<std::wstring>{L"実行ファイル名", L"実行ファイル名【正規表現】", L"実行ファイル名(フルパス)",
                                         L"実行ファイル名(フルパス)【正規表現】", L"ウィンドウ クラス名",
                                         L"ウィンドウ クラス名【正規表現】", L"ウィンドウ タイトル",
                                         L"ウィンドウ タイトル【正規表現】"}));
}

} // namespace
