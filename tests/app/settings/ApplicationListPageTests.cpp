// The "IME切替設定" page on a real settings sheet: rows, add, edit and delete by
// buttons, context menu and double click (real mouse input), what OK and Cancel
// hand to the live settings, and the engine switching by a rule confirmed there.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "app/settings/SettingsSheet.h"
#include "engine/ForegroundWatcher.h"
#include "engine/SwitchEngine.h"
#include "resources/ResourceIds.h"
#include "tests/app/settings/ConditionListDriver.h"
#include "tests/app/settings/SheetDriver.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/KeyPress.h"
#include "tests/support/Wait.h"

namespace {

using namespace Configuration;
using TolvTest::OpenSheet;
using TolvTest::Row;
using TolvTest::Rows;

constexpr int kApplicationTab = 2;
constexpr wchar_t kCaption[] = L"条件設定";
const std::vector<std::wstring> kMatchTypeTexts = {
    L"実行ファイル名",           L"実行ファイル名【正規表現】", L"実行ファイル名(フルパス)",
    L"実行ファイル名(フルパス)【正規表現】", L"ウィンドウ クラス名",   L"ウィンドウ クラス名【正規表現】",
    L"ウィンドウ タイトル",       L"ウィンドウ タイトル【正規表現】"};
constexpr wchar_t kMissingSlot[] = L"IME-7: (このIMEは登録されていません)";

using Stored = std::tuple<MatchType, std::wstring, int>;

std::vector<Stored> StoredConditions(const CConfigurations& configuration)
{
    std::vector<Stored> stored;
    const CApplications4SwitchOnApplication& list = *configuration.GetSwitchOnApplication()->GetApplications();
    for (int n = 0; n < list.Count(); ++n) {
        stored.emplace_back(list.GetAt(n)->GetMatchType(), list.GetAt(n)->GetExpression(), list.GetAt(n)->GetImeNumber());
    }
    return stored;
}

// How the user reaches a list command.
enum class Way { Button, ContextMenu, DoubleClick };

struct WayCase {
    const char* name;
    Way way;
};

void PrintTo(const WayCase& c, std::ostream* out) { *out << c.name; }

std::string WayName(const ::testing::TestParamInfo<WayCase>& info) { return info.param.name; }

class ApplicationListPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        live->GetImes()->GetAt(0)->SetName(L"Microsoft IME");
        live->GetImes()->GetAt(1)->SetName(L"Google 日本語入力");
        CApplications4SwitchOnApplication& list = *live->GetSwitchOnApplication()->GetApplications();
        for (const Stored& s : initial) {
            list.Add(std::make_unique<CApplication4SwitchOnApplication>(std::get<0>(s), std::get<1>(s), std::get<2>(s)));
        }
    }

    // Opens the sheet on the condition page; false if it did not come up.
    bool OpenPage()
    {
        sheet = std::make_unique<OpenSheet>(*live);
        if (sheet->Sheet() == nullptr) {
            return false;
        }
        page = sheet->ShowPage(kApplicationTab);
        list = ::GetDlgItem(page, IDC_APPLICATION_LIST);
        return list != nullptr;
    }

    // Runs a list command the user's way; `row` is the row clicked or selected first.
    void Use(Way way, int button, WORD menuKey, int row)
    {
        if (row >= 0) {
            TolvTest::SelectRows(list, {row});
        }
        switch (way) {
        case Way::Button:
            TolvTest::ClickLater(page, button);
            break;
        case Way::ContextMenu: {
            if (row >= 0) {
                TolvTest::RightClickRow(list, row);
            } else {
                TolvTest::RightClickBelowRows(list);
            }
            HWND menu = TolvTest::WaitForPopupMenu();
            ASSERT_NE(menu, nullptr) << "no context menu";
            TolvTest::PressKey(menuKey);
            ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindowVisible(menu); }, 5000));
            break;
        }
        case Way::DoubleClick:
            TolvTest::DoubleClickRow(list, row);
            break;
        }
    }

    // Confirms the sheet; false if it did not close.
    bool Confirm()
    {
        sheet->PressOk();
        return sheet->Closed();
    }

    const std::vector<Stored> initial = {
        {MT_FILENAME, L"notepad.exe", 1},
        {MT_CLASSNAME, L"Hidden", -1}, // switched off by hand: no row
        {MT_WINDOWTEXT_REGEX, L".*メモ帳", 0},
        {MT_FULLPATH, L"C:\\hand.exe", 6}, // a slot the file does not have
        {kUnrecognisedMatchType, L"odd", 2},
    };
    const std::vector<Row> initialRows = {
        {L"実行ファイル名", L"notepad.exe", L"Google 日本語入力"},
        {L"ウィンドウ タイトル【正規表現】", L".*メモ帳", L"Microsoft IME"},
        {L"実行ファイル名(フルパス)", L"C:\\hand.exe", kMissingSlot},
        {L"", L"odd", L"IME-3"},
    };
    std::unique_ptr<CConfigurations> live = TolvTest::MakeStartupConfiguration();
    std::unique_ptr<OpenSheet> sheet;
    HWND page = nullptr;
    HWND list = nullptr;
};

TEST_F(ApplicationListPageTest, ShowsOneRowPerConditionWithAnImeNumberAndOkKeepsThemAll)
{
    const std::wstring before = TolvTest::SavedText(*live);
    ASSERT_TRUE(OpenPage());
    EXPECT_EQ(TolvTest::ColumnHeaders(list), (std::vector<std::wstring>{L"対象", L"条件", L"IME"}));
    // 対象 fits the longest match-type name; the columns fit the list.
    const std::vector<int> widths = TolvTest::ColumnWidths(list);
    ASSERT_EQ(widths.size(), 3u);
    EXPECT_GE(widths[0], TolvTest::WidestText(list, kMatchTypeTexts));
    RECT client = {};
    ::GetClientRect(list, &client);
    EXPECT_LE(widths[0] + widths[1] + widths[2], client.right);
    EXPECT_EQ(::SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & 0x421, 0x421);
    const LONG_PTR style = ::GetWindowLongPtrW(list, GWL_STYLE);
    EXPECT_EQ(style & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER),
              LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER);
    EXPECT_EQ(Rows(list), initialRows);
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(TolvTest::SavedText(*live), before) << "hidden, slotless and unrecognised entries survive an OK";
}

class AddConditionTest : public ApplicationListPageTest, public ::testing::WithParamInterface<WayCase> {};

TEST_P(AddConditionTest, OkInTheDialogAppendsTheConditionAtTheEndSelected)
{
    ASSERT_TRUE(OpenPage());
    Use(GetParam().way, IDC_APPLICATION_ADD, 'A', -1);
    HWND dialog = sheet->Thread().WaitForDialog(kCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TolvTest::ComboSelection(dialog, IDC_CONDITION_MATCHTYPE), MT_FILENAME);
    EXPECT_EQ(TolvTest::ItemText(dialog, IDC_CONDITION_EXPRESSION), L"") << "the hint is no text of the box";
    EXPECT_EQ(TolvTest::ComboSelection(dialog, IDC_CONDITION_IME), 0);
    TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, L"added.exe");
    TolvTest::ClickLater(dialog, IDOK);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000));

    std::vector<Row> rows = initialRows;
    rows.push_back({L"実行ファイル名", L"added.exe", L"Microsoft IME"});
    EXPECT_EQ(Rows(list), rows);
    EXPECT_EQ(TolvTest::SelectedRow(list), 4) << "the new row is selected";
    EXPECT_TRUE(TolvTest::IsRowVisible(list, 4));
    ASSERT_TRUE(Confirm());
    std::vector<Stored> expected = initial;
    expected.emplace_back(MT_FILENAME, L"added.exe", 0);
    EXPECT_EQ(StoredConditions(*live), expected) << "a new condition is tested after every existing one";
}

TEST_P(AddConditionTest, CancelInTheDialogAddsNothing)
{
    ASSERT_TRUE(OpenPage());
    Use(GetParam().way, IDC_APPLICATION_ADD, 'A', -1);
    HWND dialog = sheet->Thread().WaitForDialog(kCaption);
    ASSERT_NE(dialog, nullptr);
    TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, L"never.exe");
    TolvTest::ClickLater(dialog, IDCANCEL);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
    EXPECT_EQ(Rows(list), initialRows);
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(StoredConditions(*live), initial);
}

INSTANTIATE_TEST_SUITE_P(Ways, AddConditionTest,
                         ::testing::Values(WayCase{"Button", Way::Button}, WayCase{"ContextMenu", Way::ContextMenu}),
                         WayName);

class EditConditionTest : public ApplicationListPageTest, public ::testing::WithParamInterface<WayCase> {};

TEST_P(EditConditionTest, OkWritesTheDialogsValuesBackIntoTheSelectedCondition)
{
    ASSERT_TRUE(OpenPage());
    Use(GetParam().way, IDC_APPLICATION_EDIT, 'E', 1); // the third condition: a hidden one sits before it
    HWND dialog = sheet->Thread().WaitForDialog(kCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TolvTest::ComboSelection(dialog, IDC_CONDITION_MATCHTYPE), MT_WINDOWTEXT_REGEX);
    EXPECT_EQ(TolvTest::ItemText(dialog, IDC_CONDITION_EXPRESSION), L".*メモ帳");
    EXPECT_EQ(TolvTest::ComboSelection(dialog, IDC_CONDITION_IME), 0);
    TolvTest::Choose(dialog, IDC_CONDITION_MATCHTYPE, MT_CLASSNAME);
    TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, L"Notepad");
    TolvTest::Choose(dialog, IDC_CONDITION_IME, 3);
    TolvTest::ClickLater(dialog, IDOK);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000));

    std::vector<Row> rows = initialRows;
    rows[1] = {L"ウィンドウ クラス名", L"Notepad", L"IME-4"};
    EXPECT_EQ(Rows(list), rows);
    EXPECT_EQ(TolvTest::SelectedRow(list), 1) << "the edited row stays selected";
    ASSERT_TRUE(Confirm());
    std::vector<Stored> expected = initial;
    expected[2] = Stored{MT_CLASSNAME, L"Notepad", 3};
    EXPECT_EQ(StoredConditions(*live), expected);
}

INSTANTIATE_TEST_SUITE_P(Ways, EditConditionTest,
                         ::testing::Values(WayCase{"Button", Way::Button}, WayCase{"ContextMenu", Way::ContextMenu},
                                           WayCase{"DoubleClick", Way::DoubleClick}),
                         WayName);

TEST_F(ApplicationListPageTest, EditOfASlotlessConditionKeepsItsNumberUnlessAnotherSlotIsChosen)
{
    ASSERT_TRUE(OpenPage());
    Use(Way::Button, IDC_APPLICATION_EDIT, 0, 2);
    HWND dialog = sheet->Thread().WaitForDialog(kCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TolvTest::ComboItems(dialog, IDC_CONDITION_IME).back(), kMissingSlot);
    TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, L"C:\\renamed.exe");
    TolvTest::ClickLater(dialog, IDOK);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
    EXPECT_EQ(Rows(list)[2], (Row{L"実行ファイル名(フルパス)", L"C:\\renamed.exe", kMissingSlot}));
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(StoredConditions(*live)[3], (Stored{MT_FULLPATH, L"C:\\renamed.exe", 6}));
}

class DeleteConditionTest : public ApplicationListPageTest, public ::testing::WithParamInterface<WayCase> {};

TEST_P(DeleteConditionTest, RemovesExactlyTheSelectedConditionPastHiddenOnes)
{
    ASSERT_TRUE(OpenPage());
    Use(GetParam().way, IDC_APPLICATION_DELETE, 'D', 1);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return Rows(list).size() == initialRows.size() - 1; }, 5000));
    EXPECT_EQ(Rows(list), (std::vector<Row>{initialRows[0], initialRows[2], initialRows[3]}));
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(StoredConditions(*live), (std::vector<Stored>{initial[0], initial[1], initial[3], initial[4]}));
}

INSTANTIATE_TEST_SUITE_P(Ways, DeleteConditionTest,
                         ::testing::Values(WayCase{"Button", Way::Button}, WayCase{"ContextMenu", Way::ContextMenu}),
                         WayName);

TEST_F(ApplicationListPageTest, EditAndDeleteWithoutASelectionDoNothing)
{
    ASSERT_TRUE(OpenPage());
    TolvTest::SelectRows(list, {});
    TolvTest::ClickLater(page, IDC_APPLICATION_EDIT);
    EXPECT_EQ(sheet->Thread().WaitForDialog(kCaption, 1000), nullptr);
    TolvTest::Click(page, IDC_APPLICATION_DELETE);
    EXPECT_EQ(Rows(list), initialRows);
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(StoredConditions(*live), initial);
}

TEST_F(ApplicationListPageTest, EditDeleteAndMoveButtonsFollowTheSelection)
{
    ASSERT_TRUE(OpenPage());
    struct Case {
        int row;
        bool up;
        bool down;
    };
    const auto enabled = [&](int id) { return TolvTest::IsItemEnabled(page, id); };
    TolvTest::SelectRows(list, {});
    for (const int id : {IDC_APPLICATION_EDIT, IDC_APPLICATION_DELETE, IDC_APPLICATION_UP, IDC_APPLICATION_DOWN}) {
        EXPECT_FALSE(enabled(id)) << "control " << id << " without a selection";
    }
    EXPECT_TRUE(enabled(IDC_APPLICATION_ADD));
    for (const Case& c : {Case{0, false, true}, Case{1, true, true}, Case{3, true, false}}) {
        TolvTest::SelectRows(list, {c.row});
        EXPECT_TRUE(enabled(IDC_APPLICATION_EDIT)) << "row " << c.row;
        EXPECT_TRUE(enabled(IDC_APPLICATION_DELETE)) << "row " << c.row;
        EXPECT_EQ(enabled(IDC_APPLICATION_UP), c.up) << "row " << c.row;
        EXPECT_EQ(enabled(IDC_APPLICATION_DOWN), c.down) << "row " << c.row;
    }
}

// True while the window's thread runs a menu loop, which takes the clicks and keys meant for the list.
bool InMenu(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0;
}

// Enter edits, Delete deletes, Shift+F10 and the context-menu key open the
// menu: real keys on the focused list, none of them taken by the sheet.
TEST_F(ApplicationListPageTest, KeysOnTheListEditDeleteAndOpenTheMenu)
{
    ASSERT_TRUE(OpenPage());
    TolvTest::ClickRow(list, 1);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return TolvTest::SelectedRow(list) == 1; }, 5000));
    TolvTest::PressKey(VK_DELETE);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return Rows(list).size() == initialRows.size() - 1; }, 5000));
    EXPECT_EQ(Rows(list), (std::vector<Row>{initialRows[0], initialRows[2], initialRows[3]}));

    TolvTest::ClickRow(list, 0);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return TolvTest::SelectedRow(list) == 0; }, 5000));
    TolvTest::PressKey(VK_RETURN);
    HWND dialog = sheet->Thread().WaitForDialog(kCaption);
    ASSERT_NE(dialog, nullptr) << "Enter did not edit the row";
    EXPECT_EQ(TolvTest::ItemText(dialog, IDC_CONDITION_EXPRESSION), L"notepad.exe");
    TolvTest::ClickLater(dialog, IDCANCEL);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
    EXPECT_TRUE(::IsWindow(sheet->Sheet())) << "Enter closed the sheet";
    EXPECT_EQ(sheet->Applied(), 0);

    for (const bool shiftF10 : {false, true}) {
        // Another row each time, so the selection shows that the click has arrived.
        const int selected = shiftF10 ? 1 : 2;
        TolvTest::ClickRow(list, selected);
        ASSERT_TRUE(TolvTest::WaitUntil([&] { return TolvTest::SelectedRow(list) == selected; }, 5000));
        if (shiftF10) {
            TolvTest::PressShifted(VK_F10);
        } else {
            TolvTest::PressKey(VK_APPS);
        }
        HWND menu = TolvTest::WaitForPopupMenu();
        ASSERT_NE(menu, nullptr) << (shiftF10 ? "Shift+F10" : "context-menu key");
        EXPECT_EQ(TolvTest::PopupItemState(menu, IDM_CONDITION_EDIT) & MFS_GRAYED, 0u);
        // Opened at the selected row, not wherever the mouse is.
        RECT row = {LVIR_BOUNDS, 0, 0, 0};
        ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&row));
        ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&row), 2);
        RECT shown = {};
        ::GetWindowRect(menu, &shown);
        EXPECT_LE(std::abs(shown.top - row.bottom), row.bottom - row.top) << "menu at " << shown.top << ", row at " << row.bottom;
        TolvTest::PressKey(VK_ESCAPE);
        ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindowVisible(menu) && !InMenu(list); }, 5000));
    }
    ASSERT_TRUE(Confirm());
    EXPECT_EQ(StoredConditions(*live), (std::vector<Stored>{initial[0], initial[1], initial[3], initial[4]}));
}

// 上へ and 下へ: the selected rule trades places with its visible neighbour;
// rules without a row stay where they are, and OK hands over the new order.
struct MoveCase {
    const char* name;
    Way way;
    int row;
    bool up;
    std::vector<int> rows;   // initial rows, in their new order
    std::vector<int> stored; // initial conditions, in their new order
    int selected;
};

void PrintTo(const MoveCase& c, std::ostream* out) { *out << c.name; }

class MoveConditionTest : public ApplicationListPageTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(MoveConditionTest, MovesTheSelectedRuleAndKeepsItSelected)
{
    const MoveCase& c = GetParam();
    ASSERT_TRUE(OpenPage());
    TolvTest::SelectRows(list, {c.row});
    if (c.way == Way::Button) {
        // A disabled button ignores clicks; the command itself must still do nothing at the ends.
        ::PostMessageW(page, WM_COMMAND, MAKEWPARAM(c.up ? IDC_APPLICATION_UP : IDC_APPLICATION_DOWN, BN_CLICKED), 0);
    } else {
        TolvTest::RightClickRow(list, c.row);
        HWND menu = TolvTest::WaitForPopupMenu();
        ASSERT_NE(menu, nullptr);
        const UINT command = c.up ? IDM_CONDITION_UP : IDM_CONDITION_DOWN;
        const bool movable = c.rows[static_cast<size_t>(c.row)] != c.row;
        EXPECT_EQ((TolvTest::PopupItemState(menu, command) & MFS_GRAYED) == 0, movable);
        TolvTest::PressKey(movable ? (c.up ? 'U' : 'N') : VK_ESCAPE);
        ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindowVisible(menu); }, 5000));
    }
    std::vector<Row> rows;
    for (const int r : c.rows) {
        rows.push_back(initialRows[static_cast<size_t>(r)]);
    }
    EXPECT_TRUE(TolvTest::WaitUntil([&] { return Rows(list) == rows; }, 5000));
    EXPECT_EQ(Rows(list), rows);
    EXPECT_EQ(TolvTest::SelectedRow(list), c.selected);
    ASSERT_TRUE(Confirm());
    std::vector<Stored> expected;
    for (const int n : c.stored) {
        expected.push_back(initial[static_cast<size_t>(n)]);
    }
    EXPECT_EQ(StoredConditions(*live), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveConditionTest,
    ::testing::Values(
        // The hidden condition (1) keeps its place between the first two rules.
        MoveCase{"SecondUpPastTheHiddenOne", Way::Button, 1, true, {1, 0, 2, 3}, {2, 1, 0, 3, 4}, 0},
        MoveCase{"FirstDown", Way::ContextMenu, 0, false, {1, 0, 2, 3}, {2, 1, 0, 3, 4}, 1},
        MoveCase{"ThirdUpByMenu", Way::ContextMenu, 2, true, {0, 2, 1, 3}, {0, 1, 3, 2, 4}, 1},
        MoveCase{"FirstUpDoesNothing", Way::Button, 0, true, {0, 1, 2, 3}, {0, 1, 2, 3, 4}, 0},
        MoveCase{"LastDownDoesNothing", Way::Button, 3, false, {0, 1, 2, 3}, {0, 1, 2, 3, 4}, 3},
        MoveCase{"LastDownGrayedInTheMenu", Way::ContextMenu, 3, false, {0, 1, 2, 3}, {0, 1, 2, 3, 4}, 3}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

struct MenuCase {
    const char* name;
    std::vector<int> selected;
    bool editAndDeleteAvailable;
};

void PrintTo(const MenuCase& c, std::ostream* out) { *out << c.name; }

class ContextMenuTest : public ApplicationListPageTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(ContextMenuTest, GraysEditAndDeleteUnlessExactlyOneRowIsSelected)
{
    const MenuCase& c = GetParam();
    ASSERT_TRUE(OpenPage());
    if (c.selected.size() > 1) {
        // The page's list allows one row; only a list without that rule can hold two.
        ::SetWindowLongPtrW(list, GWL_STYLE, ::GetWindowLongPtrW(list, GWL_STYLE) & ~LVS_SINGLESEL);
    }
    TolvTest::SelectRows(list, {});
    for (const int row : c.selected) {
        LVITEMW state = {};
        state.stateMask = state.state = LVIS_SELECTED;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    }
    // A right click on a selected row keeps the selection; below the rows it hits none.
    if (c.selected.empty()) {
        TolvTest::RightClickBelowRows(list);
    } else {
        TolvTest::RightClickRow(list, c.selected.back());
    }
    HWND menu = TolvTest::WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    const UINT grayed = c.editAndDeleteAvailable ? 0u : static_cast<UINT>(MFS_GRAYED);
    EXPECT_EQ(TolvTest::PopupItemState(menu, IDM_CONDITION_EDIT) & MFS_GRAYED, grayed);
    EXPECT_EQ(TolvTest::PopupItemState(menu, IDM_CONDITION_DELETE) & MFS_GRAYED, grayed);
    EXPECT_EQ(TolvTest::PopupItemState(menu, IDM_CONDITION_ADD) & MFS_GRAYED, 0u);
    EXPECT_NE(TolvTest::PopupItemState(menu, IDM_CONDITION_EDIT) & MFS_DEFAULT, 0u) << "edit is the default, grayed or not";
    TolvTest::PressKey(VK_ESCAPE);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindowVisible(menu); }, 5000));
    EXPECT_EQ(Rows(list), initialRows);
}

INSTANTIATE_TEST_SUITE_P(Selections, ContextMenuTest,
                         ::testing::Values(MenuCase{"NoRow", {}, false}, MenuCase{"OneRow", {2}, true},
                                           MenuCase{"TwoRows", {0, 1}, false}),
                         [](const ::testing::TestParamInfo<MenuCase>& info) { return std::string(info.param.name); });

TEST_F(ApplicationListPageTest, CancelOnTheSheetAfterListEditsLeavesTheLiveListUntouched)
{
    const std::wstring before = TolvTest::SavedText(*live);
    ASSERT_TRUE(OpenPage());
    Use(Way::Button, IDC_APPLICATION_ADD, 0, -1);
    HWND dialog = sheet->Thread().WaitForDialog(kCaption);
    ASSERT_NE(dialog, nullptr);
    TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, L"added.exe");
    TolvTest::ClickLater(dialog, IDOK);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
    Use(Way::Button, IDC_APPLICATION_EDIT, 0, 0);
    dialog = sheet->Thread().WaitForDialog(kCaption);
    ASSERT_NE(dialog, nullptr);
    TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, L"edited.exe");
    TolvTest::ClickLater(dialog, IDOK);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
    TolvTest::SelectRows(list, {1});
    TolvTest::Click(page, IDC_APPLICATION_DELETE);
    ASSERT_EQ(Rows(list).size(), initialRows.size()) << "one added, one deleted";

    sheet->PressCancel();
    ASSERT_TRUE(sheet->Closed());
    EXPECT_EQ(sheet->Applied(), 0);
    EXPECT_EQ(TolvTest::SavedText(*live), before);
}

// The 対象 column at 144 DPI, where the fixed widths it once had cut even the
// shortest name.
// In the child: both lists hold a rule of every match type and their 対象 column fits the widest.
void ExpectTargetColumnsFitEveryMatchType()
{
    std::unique_ptr<CConfigurations> live = TolvTest::MakeStartupConfiguration();
    for (int type = MT_FILENAME; type <= MT_WINDOWTEXT_REGEX; ++type) {
        live->GetSwitchOnApplication()->GetApplications()->Add(
            std::make_unique<CApplication4SwitchOnApplication>(static_cast<MatchType>(type), L"x", 0));
        live->GetSwitchOnArchitecture()->GetIgnoreApplications()->Add(
            std::make_unique<CApplication4SwitchOnArchitecture>(static_cast<MatchType>(type), L"x"));
    }
    OpenSheet sheet(*live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    for (const auto& page : {std::make_pair(kApplicationTab, IDC_APPLICATION_LIST),
                             std::make_pair(3, IDC_ARCHITECTURE_IGNORE_LIST)}) {
        HWND list = ::GetDlgItem(sheet.ShowPage(page.first), page.second);
        // The exclusion list starts with its two built-in entries.
        std::vector<std::wstring> shown;
        for (const Row& row : Rows(list)) {
            shown.push_back(row[0]);
        }
        ASSERT_GE(shown.size(), kMatchTypeTexts.size());
        EXPECT_EQ(std::vector<std::wstring>(shown.end() - static_cast<std::ptrdiff_t>(kMatchTypeTexts.size()), shown.end()),
                  kMatchTypeTexts);
        const int widest = TolvTest::WidestText(list, kMatchTypeTexts);
        EXPECT_GE(TolvTest::ColumnWidths(list)[0], widest) << "list " << page.second;
        // The measure itself grew with the DPI: the test ran where it was meant to.
        EXPECT_GT(widest, 250) << "list " << page.second;
    }
    sheet.PressCancel();
    ASSERT_TRUE(sheet.Closed());
}

TEST(ConditionListDpiTest, TargetColumnFitsTheLongestMatchTypeNameAt144Dpi)
{
    if (TolvTest::IsDpiChild()) {
        ASSERT_EQ(::GetDpiForSystem(), 144u) << "the child did not start at 144 DPI";
        ExpectTargetColumnsFitEveryMatchType();
        return;
    }
    EXPECT_EQ(TolvTest::RunAgainAtDpi(L"ConditionListDpiTest.*", 144), 0u) << "the test failed at 144 DPI";
}

// The whole way from the page to the keys: the engine and its watcher thread
// run on the live settings while the sheet edits a copy.
TEST(ApplicationListPageEngineTest, OkMakesTheEngineSwitchByTheNewRulesInTheirNewOrderAtOnce)
{
    TolvTest::KeyLogProcess target(TolvTest::KeyLogBuild::Native, L"TolvListKeys", L"list keys");
    ASSERT_NE(target.Window(), nullptr);
    std::unique_ptr<CConfigurations> live = TolvTest::MakeStartupConfiguration();
    Engine::SwitchEngine engine(*live, ::GetModuleHandleW(nullptr), [](Engine::Balloon) {});
    Engine::ForegroundWatcher watcher(engine);
    watcher.Start();
    const auto keyDowns = [&] {
        std::vector<UINT> downs;
        for (const TolvTest::LoggedKey& key : target.Log()) {
            if (!key.up) {
                downs.push_back(key.virtualKey);
            }
        }
        return downs;
    };

    // Seen by the watcher without a rule, and so remembered as handled.
    ASSERT_TRUE(target.BringToFront());
    TolvTest::WaitUntil([] { return false; }, 1500);
    ASSERT_TRUE(keyDowns().empty());

    TolvTest::UiThread ui([&] {
        Tolv::ActiveModalWindow modal;
        if (const auto edited = Tolv::ShowSettingsSheet(::GetModuleHandleW(nullptr), nullptr, *live, modal)) {
            engine.ApplySettings(*edited);
        }
    });
    HWND sheet = ui.WaitForDialog(L"設定 - トルヴ");
    ASSERT_NE(sheet, nullptr);
    ::SendMessageW(sheet, PSM_SETCURSEL, kApplicationTab, 0);
    HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    // Two rules for the window; the second one, moved above the first, wins.
    const struct {
        MatchType type;
        const wchar_t* expression;
        int ime;
    } rules[] = {{MT_CLASSNAME, L"TolvListKeys", 1}, {MT_CLASSNAME_REGEX, L"TolvList.*", 2}}; // IME-2, IME-3
    for (const auto& rule : rules) {
        TolvTest::ClickLater(page, IDC_APPLICATION_ADD);
        HWND dialog = ui.WaitForDialog(kCaption);
        ASSERT_NE(dialog, nullptr);
        TolvTest::Choose(dialog, IDC_CONDITION_MATCHTYPE, rule.type);
        TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, rule.expression);
        TolvTest::Choose(dialog, IDC_CONDITION_IME, rule.ime);
        TolvTest::ClickLater(dialog, IDOK);
        ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
    }
    HWND list = ::GetDlgItem(page, IDC_APPLICATION_LIST);
    ASSERT_EQ(TolvTest::SelectedRow(list), 1) << "the added rule is selected";
    TolvTest::ClickLater(page, IDC_APPLICATION_UP);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return TolvTest::SelectedRow(list) == 0; }, 5000));
    TolvTest::ClickLater(sheet, IDOK);
    ASSERT_TRUE(ui.WaitForEnd());

    // The target may come back to the front as the sheet closes, before OK is
    // applied: the user moves to it from another window, as the watcher needs.
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                   nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    ::SetForegroundWindow(other);
    TolvTest::WaitUntil([] { return false; }, 1200);
    ::DestroyWindow(other);
    ASSERT_TRUE(target.BringToFront());
    std::vector<UINT> downs;
    EXPECT_TRUE(TolvTest::WaitUntil(
        [&] {
            downs = keyDowns();
            return downs.size() >= 3;
        },
        5000))
        << "no hotkey reached the window";
    std::sort(downs.begin(), downs.end());
    EXPECT_EQ(downs, (std::vector<UINT>{VK_SHIFT, VK_MENU, '3'}));
}

} // namespace
