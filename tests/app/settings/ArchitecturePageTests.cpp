// The "32/64bit切替設定" page on a real settings sheet: the first-run exclusion
// list, edits with the rule off, values of a hand-edited file, and the page on
// a system that reports a 32-bit processor.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resources/ResourceIds.h"
#include "tests/app/settings/ConditionListDriver.h"
#include "tests/app/settings/SheetDriver.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/support/ImportPatch.h"
#include "tests/support/KeyPress.h"
#include "tests/support/Wait.h"

namespace {

using namespace Configuration;
using TolvTest::ComboItems;
using TolvTest::ComboSelection;
using TolvTest::OpenSheet;
using TolvTest::Row;
using TolvTest::Rows;

constexpr int kArchitectureTab = 3;
constexpr wchar_t kCaption[] = L"条件設定";

const std::vector<std::wstring> kSlotItems = {L"IME-1: IME-1", L"IME-2: IME-2", L"IME-3: IME-3", L"IME-4: IME-4"};
const std::vector<std::wstring> kMatchTypeTexts = {
    L"実行ファイル名",           L"実行ファイル名【正規表現】", L"実行ファイル名(フルパス)",
    L"実行ファイル名(フルパス)【正規表現】", L"ウィンドウ クラス名",   L"ウィンドウ クラス名【正規表現】",
    L"ウィンドウ タイトル",       L"ウィンドウ タイトル【正規表現】"};
const std::vector<Row> kBuiltInRows = {{L"実行ファイル名", L"tolv.exe"}, {L"ウィンドウ クラス名", L"Shell_TrayWnd"}};
constexpr int kEditingControls[] = {IDC_ARCHITECTURE_USE,         IDC_ARCHITECTURE_32BIT_IME, IDC_ARCHITECTURE_64BIT_IME,
                                    IDC_ARCHITECTURE_IGNORE_LIST, IDC_ARCHITECTURE_ADD,       IDC_ARCHITECTURE_EDIT,
                                    IDC_ARCHITECTURE_DELETE};

using Exclusion = std::pair<MatchType, std::wstring>;

std::vector<Exclusion> Exclusions(const CConfigurations& configuration)
{
    std::vector<Exclusion> exclusions;
    const CApplications4SwitchOnArchitecture& list = *configuration.GetSwitchOnArchitecture()->GetIgnoreApplications();
    for (int n = 0; n < list.Count(); ++n) {
        exclusions.emplace_back(list.GetAt(n)->GetMatchType(), list.GetAt(n)->GetExpression());
    }
    return exclusions;
}

class ArchitecturePageTest : public ::testing::Test {
protected:
    bool OpenPage()
    {
        sheet = std::make_unique<OpenSheet>(*live);
        if (sheet->Sheet() == nullptr) {
            return false;
        }
        page = sheet->ShowPage(kArchitectureTab);
        list = ::GetDlgItem(page, IDC_ARCHITECTURE_IGNORE_LIST);
        return list != nullptr;
    }
    bool Confirm()
    {
        sheet->PressOk();
        return sheet->Closed();
    }
    // Waits for the condition dialog, lets `fill` change it and presses OK.
    void ConfirmDialog(void (*fill)(HWND dialog))
    {
        HWND dialog = sheet->Thread().WaitForDialog(kCaption);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(::GetDlgItem(dialog, IDC_CONDITION_IME), nullptr) << "exclusions have no IME choice";
        fill(dialog);
        TolvTest::ClickLater(dialog, IDOK);
        ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
    }
    // Edits as a user does: a new exclusion, a double-clicked one renamed, the last deleted by its menu.
    void EditTheList()
    {
        TolvTest::ClickLater(page, IDC_ARCHITECTURE_ADD);
        ConfirmDialog([](HWND dialog) {
            TolvTest::Choose(dialog, IDC_CONDITION_MATCHTYPE, MT_WINDOWTEXT);
            TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, L"Game");
        });
        TolvTest::DoubleClickRow(list, 0);
        ConfirmDialog([](HWND dialog) { TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, L"tolv2.exe"); });
        TolvTest::RightClickRow(list, 1);
        HWND menu = TolvTest::WaitForPopupMenu();
        ASSERT_NE(menu, nullptr);
        // Edit, delete, a separator and add: the order of exclusions decides nothing, so no moving.
        EXPECT_EQ(TolvTest::PopupItemCount(menu), 4);
        TolvTest::PressKey('D');
        ASSERT_TRUE(TolvTest::WaitUntil([&] { return Rows(list).size() == 2; }, 5000));
    }

    std::unique_ptr<CConfigurations> live = TolvTest::MakeStartupConfiguration();
    std::unique_ptr<OpenSheet> sheet;
    HWND page = nullptr;
    HWND list = nullptr;
};

TEST_F(ArchitecturePageTest, FirstRunShowsTheBuiltInExclusionsAndTheStoredChoices)
{
    ASSERT_TRUE(OpenPage());
    EXPECT_EQ(TolvTest::ColumnHeaders(list), (std::vector<std::wstring>{L"対象", L"条件"}));
    // 対象 fits the longest match-type name; the columns fit the list.
    const std::vector<int> widths = TolvTest::ColumnWidths(list);
    ASSERT_EQ(widths.size(), 2u);
    EXPECT_GE(widths[0], TolvTest::WidestText(list, kMatchTypeTexts));
    RECT client = {};
    ::GetClientRect(list, &client);
    EXPECT_LE(widths[0] + widths[1], client.right);
    EXPECT_EQ(::SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & 0x421, 0x421);
    EXPECT_EQ(Rows(list), kBuiltInRows);
    EXPECT_FALSE(TolvTest::IsTicked(page, IDC_ARCHITECTURE_USE));
    EXPECT_EQ(ComboItems(page, IDC_ARCHITECTURE_32BIT_IME), kSlotItems);
    EXPECT_EQ(ComboItems(page, IDC_ARCHITECTURE_64BIT_IME), kSlotItems);
    EXPECT_EQ(ComboSelection(page, IDC_ARCHITECTURE_32BIT_IME), 0);
    EXPECT_EQ(ComboSelection(page, IDC_ARCHITECTURE_64BIT_IME), 0);
    // Edit and delete wait for a row to work on.
    for (const int id : kEditingControls) {
        const bool needsRow = id == IDC_ARCHITECTURE_EDIT || id == IDC_ARCHITECTURE_DELETE;
        EXPECT_EQ(TolvTest::IsItemEnabled(page, id), !needsRow) << "control " << id << " on a 64-bit system";
    }
    TolvTest::SelectRows(list, {1});
    EXPECT_TRUE(TolvTest::IsItemEnabled(page, IDC_ARCHITECTURE_EDIT));
    EXPECT_TRUE(TolvTest::IsItemEnabled(page, IDC_ARCHITECTURE_DELETE));
}

TEST_F(ArchitecturePageTest, WithTheRuleOffTheChoicesAndTheListStillEditAndAreStored)
{
    ASSERT_TRUE(OpenPage());
    TolvTest::Choose(page, IDC_ARCHITECTURE_32BIT_IME, 2);
    TolvTest::Choose(page, IDC_ARCHITECTURE_64BIT_IME, 3);
    EditTheList();
    EXPECT_EQ(Rows(list), (std::vector<Row>{{L"実行ファイル名", L"tolv2.exe"}, {L"ウィンドウ タイトル", L"Game"}}));
    ASSERT_TRUE(Confirm());
    const CSwitchOnArchitecture& stored = *live->GetSwitchOnArchitecture();
    EXPECT_EQ(stored.GetUse(), 0);
    EXPECT_EQ(stored.Get32BitImeNumber(), 2);
    EXPECT_EQ(stored.Get64BitImeNumber(), 3);
    EXPECT_EQ(Exclusions(*live), (std::vector<Exclusion>{{MT_FILENAME, L"tolv2.exe"}, {MT_WINDOWTEXT, L"Game"}}));
}

TEST_F(ArchitecturePageTest, TheCheckBoxStoresTheUseFlagBothWays)
{
    for (const int use : {0, 1}) {
        live->GetSwitchOnArchitecture()->SetUse(use);
        ASSERT_TRUE(OpenPage());
        EXPECT_EQ(TolvTest::IsTicked(page, IDC_ARCHITECTURE_USE), use == 1);
        TolvTest::Click(page, IDC_ARCHITECTURE_USE);
        ASSERT_TRUE(Confirm());
        EXPECT_EQ(live->GetSwitchOnArchitecture()->GetUse(), 1 - use);
    }
}

TEST_F(ArchitecturePageTest, CancelAfterEditsLeavesTheLiveSettingsUntouched)
{
    const std::wstring before = TolvTest::SavedText(*live);
    ASSERT_TRUE(OpenPage());
    TolvTest::Click(page, IDC_ARCHITECTURE_USE);
    TolvTest::Choose(page, IDC_ARCHITECTURE_64BIT_IME, 1);
    EditTheList();
    sheet->PressCancel();
    ASSERT_TRUE(sheet->Closed());
    EXPECT_EQ(TolvTest::SavedText(*live), before);
}

TEST_F(ArchitecturePageTest, NumbersWithoutASlotStayVisibleAndAnUntouchedOkKeepsThem)
{
    live->GetSwitchOnArchitecture()->Set32BitImeNumber(5);
    live->GetSwitchOnArchitecture()->Set64BitImeNumber(-1);
    ASSERT_TRUE(OpenPage());
    std::vector<std::wstring> withMissing = kSlotItems;
    withMissing.push_back(L"IME-6: (このIMEは登録されていません)");
    EXPECT_EQ(ComboItems(page, IDC_ARCHITECTURE_32BIT_IME), withMissing);
    EXPECT_EQ(ComboSelection(page, IDC_ARCHITECTURE_32BIT_IME), 4);
    EXPECT_EQ(ComboItems(page, IDC_ARCHITECTURE_64BIT_IME), kSlotItems);
    EXPECT_EQ(ComboSelection(page, IDC_ARCHITECTURE_64BIT_IME), -1);
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(live->GetSwitchOnArchitecture()->Get32BitImeNumber(), 5);
    EXPECT_EQ(live->GetSwitchOnArchitecture()->Get64BitImeNumber(), -1);
}

// GetNativeSystemInfo as a 32-bit Windows answers it.
void* originalNativeSystemInfo = nullptr;
void WINAPI NativeSystemInfoOf32BitSystem(LPSYSTEM_INFO info)
{
    reinterpret_cast<void(WINAPI*)(LPSYSTEM_INFO)>(originalNativeSystemInfo)(info);
    info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
}

TEST_F(ArchitecturePageTest, OnA32BitSystemEveryControlIsDisabledAndOkStoresTheValuesUnchanged)
{
    {
        TolvTest::ImportPatch patch("GetNativeSystemInfo", reinterpret_cast<void*>(NativeSystemInfoOf32BitSystem));
        ASSERT_GT(patch.Slots(), 0u);
        originalNativeSystemInfo = patch.Original();
        live = TolvTest::MakeStartupConfiguration(); // the flag is taken when the settings are made
    }
    ASSERT_EQ(live->GetSwitchOnArchitecture()->Is64BitSystem(), 0);
    live->GetSwitchOnArchitecture()->SetUse(1);
    live->GetSwitchOnArchitecture()->Set32BitImeNumber(2);
    live->GetSwitchOnArchitecture()->Set64BitImeNumber(7);
    const std::wstring before = TolvTest::SavedText(*live);

    ASSERT_TRUE(OpenPage());
    TolvTest::SelectRows(list, {0}); // a selection does not bring edit and delete back
    for (const int id : kEditingControls) {
        EXPECT_FALSE(TolvTest::IsItemEnabled(page, id)) << "control " << id;
    }
    EXPECT_TRUE(TolvTest::IsTicked(page, IDC_ARCHITECTURE_USE));
    EXPECT_EQ(ComboSelection(page, IDC_ARCHITECTURE_32BIT_IME), 2);
    EXPECT_EQ(Rows(list), kBuiltInRows);
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(sheet->Applied(), 1);
    EXPECT_EQ(TolvTest::SavedText(*live), before);
}

} // namespace
