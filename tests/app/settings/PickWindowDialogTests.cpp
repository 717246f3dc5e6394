// Building a rule from an open window: the condition dialogs' button opens
// the pick dialog over real windows of other processes; a confirmed row fills
// 条件 for the chosen 対象 so that the rule holds for exactly that window.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/ConditionDialog.h"
#include "app/settings/SheetLists.h"
#include "configuration/CImes.h"
#include "engine/ConditionMatching.h"
#include "resources/ResourceIds.h"
#include "target/TargetWindowInfo.h"
#include "tests/app/settings/ConditionListDriver.h"
#include "tests/app/settings/SheetDriver.h"
#include "tests/support/ForegroundEvent.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/KeyPress.h"
#include "tests/support/Wait.h"

namespace {

using namespace Configuration;
using TolvTest::ItemText;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;
using TolvTest::Row;
using TolvTest::UiThread;

const HINSTANCE kInstance = ::GetModuleHandleW(nullptr);
constexpr wchar_t kConditionCaption[] = L"条件設定";
constexpr wchar_t kPickCaption[] = L"ウィンドウの選択";
// Pattern characters in both, so an unescaped pattern would match other windows too (or none).
constexpr wchar_t kChosenClass[] = L"Tolv.Pick+Window(1)";
constexpr wchar_t kChosenTitle[] = L"無題 [1] - メモ帳 (demo)*";
constexpr wchar_t kOtherClass[] = L"TolvPickOther";
constexpr wchar_t kOtherTitle[] = L"別の窓";

class PickWindowDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        other_ = std::make_unique<KeyLogProcess>(KeyLogBuild::Native, kOtherClass, kOtherTitle);
        chosen_ = std::make_unique<KeyLogProcess>(KeyLogBuild::Native, kChosenClass, kChosenTitle);
    }
    static void TearDownTestSuite()
    {
        chosen_.reset();
        other_.reset();
    }

    void SetUp() override
    {
        Tolv::RebuildMatchTypeNames(kInstance);
        Tolv::RebuildImeSlotLabels(CImes());
        ASSERT_NE(chosen_->Window(), nullptr);
        ASSERT_NE(other_->Window(), nullptr);
        // Wine can still pass the activation on to a window that appeared shortly
        // before: each must stay in front a while, the chosen one last.
        ASSERT_TRUE(TolvTest::SettleInFront(other_->Window(), 100));
        ASSERT_TRUE(TolvTest::SettleInFront(chosen_->Window(), 100));
        // Activation alone may leave another process's window lower for a while under Wine.
        ::SetWindowPos(chosen_->Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }

    // The condition dialog on `condition` with `type` chosen; its window, or null.
    HWND OpenCondition(int templateId, CApplication& condition, int type)
    {
        ui = std::make_unique<UiThread>([this, templateId, &condition] {
            result = Tolv::RunConditionDialog(kInstance, nullptr, templateId, condition);
        });
        HWND dialog = ui->WaitForDialog(kConditionCaption);
        if (dialog != nullptr) {
            TolvTest::Choose(dialog, IDC_CONDITION_MATCHTYPE, type);
        }
        return dialog;
    }
    // The pick dialog opened by the condition dialog's button, or null.
    HWND OpenPick(HWND condition)
    {
        TolvTest::ClickLater(condition, IDC_CONDITION_PICK);
        return ui->WaitForDialog(kPickCaption);
    }
    static HWND List(HWND pick) { return ::GetDlgItem(pick, IDC_PICK_LIST); }

    // The row showing `window`'s class, -1 if there is none.
    static int RowOf(HWND pick, const std::wstring& className)
    {
        const std::vector<Row> rows = TolvTest::Rows(List(pick));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (rows[r].size() == 3 && rows[r][2] == className) {
                return static_cast<int>(r);
            }
        }
        return -1;
    }
    bool Closes(HWND window) { return TolvTest::WaitUntil([&] { return !::IsWindow(window); }, 5000); }
    // Opens the picker from `condition`, chooses the row of `className` and confirms it with OK.
    void PickWithOk(HWND condition, const std::wstring& className)
    {
        HWND pick = OpenPick(condition);
        ASSERT_NE(pick, nullptr);
        const int row = RowOf(pick, className);
        ASSERT_GE(row, 0);
        TolvTest::SelectRows(List(pick), {row});
        TolvTest::ClickLater(pick, IDOK);
        ASSERT_TRUE(Closes(pick));
    }
    INT_PTR Press(HWND dialog, int button)
    {
        TolvTest::ClickLater(dialog, button);
        return ui->WaitForEnd() ? result.load() : 0;
    }

    static inline std::unique_ptr<KeyLogProcess> chosen_;
    static inline std::unique_ptr<KeyLogProcess> other_;
    // Declared before the thread, so they outlive a dialog a failed test leaves open.
    CApplication4SwitchOnApplication perApplication{MT_FILENAME, L"before.exe", 1};
    CApplication4SwitchOnArchitecture exclusion{MT_FILENAME, L"before.exe"};
    std::atomic<INT_PTR> result{0};
    std::unique_ptr<UiThread> ui;
};

TEST_F(PickWindowDialogTest, ListsOtherProcessesWindowsFrontFirstWithTheEngineFactsAndIcons)
{
    HWND condition = OpenCondition(IDD_APPLICATION_CONDITION, perApplication, MT_FILENAME);
    ASSERT_NE(condition, nullptr);
    HWND pick = OpenPick(condition);
    ASSERT_NE(pick, nullptr);
    const HWND list = List(pick);
    EXPECT_EQ(TolvTest::ColumnHeaders(list),
              (std::vector<std::wstring>{L"ウィンドウ タイトル", L"実行ファイル名", L"ウィンドウ クラス名"}));

    const int chosenRow = RowOf(pick, kChosenClass);
    const int otherRow = RowOf(pick, kOtherClass);
    ASSERT_GE(chosenRow, 0);
    ASSERT_GE(otherRow, 0);
    EXPECT_LT(chosenRow, otherRow) << "the window in front comes first";
    const std::vector<Row> rows = TolvTest::Rows(list);
    const Engine::TargetWindowInfo seen = Engine::DescribeWindow(chosen_->Window());
    EXPECT_EQ(rows[static_cast<std::size_t>(chosenRow)], (Row{kChosenTitle, seen.fileName, kChosenClass}));
    for (const Row& row : rows) {
        EXPECT_NE(row[0], kConditionCaption) << "a window of this process is listed";
        EXPECT_NE(row[0], kPickCaption);
    }

    // Every row has an image, the window's own or the standard one.
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        LVITEMW item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = r;
        ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_GE(item.iImage, 0) << "row " << r;
    }
    EXPECT_NE(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);

    // The class column fits its names, and the three columns fit the list.
    const std::vector<int> widths = TolvTest::ColumnWidths(list);
    ASSERT_EQ(widths.size(), 3u);
    EXPECT_GE(widths[2], TolvTest::WidestText(list, {kChosenClass, kOtherClass, L"ウィンドウ クラス名"}));
    EXPECT_GE(widths[1], TolvTest::WidestText(list, {seen.fileName, L"実行ファイル名"}));
    RECT client = {};
    ::GetClientRect(list, &client);
    EXPECT_LE(widths[0] + widths[1] + widths[2], client.right);

    TolvTest::ClickLater(pick, IDCANCEL);
    ASSERT_TRUE(Closes(pick));
    EXPECT_EQ(ItemText(condition, IDC_CONDITION_EXPRESSION), L"before.exe") << "Cancel fills nothing";
    EXPECT_EQ(Press(condition, IDCANCEL), 2);
}

TEST_F(PickWindowDialogTest, OkNeedsASelectedRow)
{
    HWND condition = OpenCondition(IDD_APPLICATION_CONDITION, perApplication, MT_CLASSNAME);
    ASSERT_NE(condition, nullptr);
    HWND pick = OpenPick(condition);
    ASSERT_NE(pick, nullptr);
    EXPECT_FALSE(TolvTest::IsItemEnabled(pick, IDOK)) << "nothing is selected when the dialog opens";
    // Even a command that bypasses the disabled button confirms nothing.
    ::PostMessageW(pick, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(TolvTest::WaitUntil([&] { return !::IsWindow(pick); }, 500));

    const int row = RowOf(pick, kChosenClass);
    ASSERT_GE(row, 0);
    TolvTest::SelectRows(List(pick), {row});
    EXPECT_TRUE(TolvTest::WaitUntil([&] { return TolvTest::IsItemEnabled(pick, IDOK); }, 2000));
    TolvTest::SelectRows(List(pick), {});
    EXPECT_TRUE(TolvTest::WaitUntil([&] { return !TolvTest::IsItemEnabled(pick, IDOK); }, 2000));

    TolvTest::ClickLater(pick, IDCANCEL);
    ASSERT_TRUE(Closes(pick));
    EXPECT_EQ(Press(condition, IDCANCEL), 2);
}

// What OK on the chosen window's row puts into 条件 for each 対象: the fact as
// the engine sees it, escaped for the pattern types; the stored rule holds for
// that window and not for the other one.
struct FillCase {
    const char* name;
    MatchType type;
    const wchar_t* expected; // null: the engine's own fact for the literal types
};

void PrintTo(const FillCase& c, std::ostream* out) { *out << c.name; }

class PickFillTest : public PickWindowDialogTest, public ::testing::WithParamInterface<FillCase> {};

TEST_P(PickFillTest, OkFillsTheConditionForTheChosenType)
{
    const FillCase& c = GetParam();
    const Engine::TargetWindowInfo seen = Engine::DescribeWindow(chosen_->Window());
    HWND condition = OpenCondition(IDD_APPLICATION_CONDITION, perApplication, c.type);
    ASSERT_NE(condition, nullptr);
    ASSERT_NO_FATAL_FAILURE(PickWithOk(condition, kChosenClass));

    const std::wstring filled = ItemText(condition, IDC_CONDITION_EXPRESSION);
    if (c.expected != nullptr) {
        EXPECT_EQ(filled, c.expected);
    } else {
        const std::wstring fact = c.type == MT_FILENAME ? seen.fileName : seen.fullPath;
        EXPECT_EQ(filled, fact);
    }
    EXPECT_TRUE(::IsWindow(condition)) << "the condition dialog stays open after picking";
    EXPECT_EQ(Press(condition, IDOK), 1);
    EXPECT_EQ(perApplication.GetMatchType(), c.type);
    EXPECT_TRUE(Engine::ConditionHolds(perApplication, seen)) << "rule " << perApplication.GetExpression().c_str();
    Engine::TargetWindowInfo other = Engine::DescribeWindow(other_->Window());
    // The same program: only the class and title rules tell the two windows apart.
    if (c.type >= MT_CLASSNAME) {
        EXPECT_FALSE(Engine::ConditionHolds(perApplication, other));
    }
}

INSTANTIATE_TEST_SUITE_P(
    MatchTypes, PickFillTest,
    ::testing::Values(FillCase{"FileName", MT_FILENAME, nullptr},
                      FillCase{"FullPath", MT_FULLPATH, nullptr},
                      FillCase{"FileNamePattern", MT_FILENAME_REGEX, L"tolv_keylog\\.exe"},
                      FillCase{"ClassName", MT_CLASSNAME, kChosenClass},
                      FillCase{"ClassNamePattern", MT_CLASSNAME_REGEX, L"Tolv\\.Pick\\+Window\\(1\\)"},
                      FillCase{"Title", MT_WINDOWTEXT, kChosenTitle},
                      FillCase{"TitlePattern", MT_WINDOWTEXT_REGEX, L"無題 \\[1\\] - メモ帳 \\(demo\\)\\*"}),
    [](const ::testing::TestParamInfo<FillCase>& info) { return std::string(info.param.name); });

// The full path as a pattern: every separator and dot escaped, and it matches that path only.
TEST_F(PickWindowDialogTest, FullPathPatternMatchesExactlyThatPath)
{
    const Engine::TargetWindowInfo seen = Engine::DescribeWindow(chosen_->Window());
    HWND condition = OpenCondition(IDD_EXCLUSION_CONDITION, exclusion, MT_FULLPATH_REGEX);
    ASSERT_NE(condition, nullptr);
    ASSERT_NO_FATAL_FAILURE(PickWithOk(condition, kChosenClass));
    EXPECT_EQ(Press(condition, IDOK), 1);

    const std::wstring pattern = exclusion.GetExpression();
    EXPECT_NE(pattern.find(L"\\\\"), std::wstring::npos) << pattern.c_str();
    EXPECT_NE(pattern.find(L"\\.exe"), std::wstring::npos) << pattern.c_str();
    EXPECT_TRUE(Engine::ConditionHolds(exclusion, seen));
    Engine::TargetWindowInfo lookalike = seen;
    lookalike.fullPath.replace(lookalike.fullPath.rfind(L'.'), 1, L"x");
    EXPECT_FALSE(Engine::ConditionHolds(exclusion, lookalike)) << lookalike.fullPath.c_str();
}

TEST_F(PickWindowDialogTest, DoubleClickOrEnterOnARowConfirmsIt)
{
    struct Way {
        const char* name;
        bool doubleClick;
    };
    for (const Way& way : {Way{"double click", true}, Way{"Enter", false}}) {
        HWND condition = OpenCondition(IDD_APPLICATION_CONDITION, perApplication, MT_WINDOWTEXT);
        ASSERT_NE(condition, nullptr) << way.name;
        HWND pick = OpenPick(condition);
        ASSERT_NE(pick, nullptr) << way.name;
        const int row = RowOf(pick, kChosenClass);
        ASSERT_GE(row, 0) << way.name;
        if (way.doubleClick) {
            TolvTest::DoubleClickRow(List(pick), row);
        } else {
            TolvTest::SelectRows(List(pick), {row});
            ::SetForegroundWindow(pick);
            ::SendMessageW(pick, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(List(pick)), TRUE);
            ASSERT_TRUE(TolvTest::WaitUntil([&] { return ::GetForegroundWindow() == pick; }, 3000)) << way.name;
            TolvTest::PressKey(VK_RETURN);
        }
        ASSERT_TRUE(Closes(pick)) << way.name;
        EXPECT_EQ(ItemText(condition, IDC_CONDITION_EXPRESSION), kChosenTitle) << way.name;
        EXPECT_EQ(Press(condition, IDCANCEL), 2) << way.name;
    }
}

TEST_F(PickWindowDialogTest, ChangingTheTypeAfterwardsKeepsTheFilledText)
{
    HWND condition = OpenCondition(IDD_EXCLUSION_CONDITION, exclusion, MT_CLASSNAME);
    ASSERT_NE(condition, nullptr);
    ASSERT_NO_FATAL_FAILURE(PickWithOk(condition, kChosenClass));
    ASSERT_EQ(ItemText(condition, IDC_CONDITION_EXPRESSION), kChosenClass);
    TolvTest::Choose(condition, IDC_CONDITION_MATCHTYPE, MT_WINDOWTEXT);
    EXPECT_EQ(ItemText(condition, IDC_CONDITION_EXPRESSION), kChosenClass);
    EXPECT_EQ(Press(condition, IDOK), 1);
    EXPECT_EQ(exclusion.GetMatchType(), MT_WINDOWTEXT);
    EXPECT_EQ(exclusion.GetExpression(), kChosenClass);
}

// Every type has a fact to pick in both dialogs; an unrecognised type (from a
// hand-edited file) selects no type and has none.
TEST_F(PickWindowDialogTest, PickIsOfferedForEveryRecognisedType)
{
    for (const int templateId : {IDD_APPLICATION_CONDITION, IDD_EXCLUSION_CONDITION}) {
        CApplication& condition = templateId == IDD_APPLICATION_CONDITION ? static_cast<CApplication&>(perApplication)
                                                                          : static_cast<CApplication&>(exclusion);
        condition.SetMatchType(kUnrecognisedMatchType);
        ui = std::make_unique<UiThread>(
            [this, templateId, &condition] { result = Tolv::RunConditionDialog(kInstance, nullptr, templateId, condition); });
        HWND dialog = ui->WaitForDialog(kConditionCaption);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(TolvTest::IsItemEnabled(dialog, IDC_CONDITION_PICK)) << "template " << templateId;
        for (int type = MT_FILENAME; type <= MT_WINDOWTEXT_REGEX; ++type) {
            TolvTest::Choose(dialog, IDC_CONDITION_MATCHTYPE, type);
            EXPECT_TRUE(TolvTest::IsItemEnabled(dialog, IDC_CONDITION_PICK)) << "template " << templateId << " type " << type;
        }
        EXPECT_EQ(Press(dialog, IDCANCEL), 2);
    }
}

// Windows of other processes whose titles are empty or thousands of characters
// long are rows like any other, and a title rule built from one holds for it.
TEST_F(PickWindowDialogTest, EmptyAndVeryLongTitlesArePickable)
{
    KeyLogProcess longTitled(KeyLogBuild::Native, L"TolvPickLongTitle", L"長い");
    KeyLogProcess untitled(KeyLogBuild::Native, L"TolvPickUntitled", L"無題");
    ASSERT_NE(longTitled.Window(), nullptr);
    ASSERT_NE(untitled.Window(), nullptr);
    const std::wstring longTitle = L"(" + std::wstring(3000, L'長') + L")*";
    ASSERT_TRUE(::SetWindowTextW(longTitled.Window(), longTitle.c_str()));
    ASSERT_TRUE(::SetWindowTextW(untitled.Window(), L""));

    struct Pick {
        const wchar_t* className;
        MatchType type;
    };
    for (const Pick& p : {Pick{L"TolvPickLongTitle", MT_WINDOWTEXT_REGEX}, Pick{L"TolvPickLongTitle", MT_WINDOWTEXT},
                          Pick{L"TolvPickUntitled", MT_WINDOWTEXT}}) {
        HWND condition = OpenCondition(IDD_APPLICATION_CONDITION, perApplication, p.type);
        ASSERT_NE(condition, nullptr);
        ASSERT_NO_FATAL_FAILURE(PickWithOk(condition, p.className));
        std::wstring filled;
        const HWND box = ::GetDlgItem(condition, IDC_CONDITION_EXPRESSION);
        filled.resize(static_cast<std::size_t>(::GetWindowTextLengthW(box)) + 1);
        filled.resize(static_cast<std::size_t>(::GetWindowTextW(box, filled.data(), static_cast<int>(filled.size()))));
        if (p.className == std::wstring(L"TolvPickUntitled")) {
            EXPECT_EQ(filled, L"");
            EXPECT_EQ(Press(condition, IDCANCEL), 2);
            continue;
        }
        EXPECT_GT(filled.size(), 1000u);
        EXPECT_EQ(Press(condition, IDOK), 1);
        EXPECT_TRUE(Engine::ConditionHolds(perApplication, Engine::DescribeWindow(longTitled.Window())));
    }
}

// No button clips its text and no control leaves its dialog, at 96 DPI and,
// in a child process started with that setting, at 144.
class PickLayoutTest : public PickWindowDialogTest {
protected:
    void ExpectLayoutsFit();
};

void PickLayoutTest::ExpectLayoutsFit()
{
    auto checkLayout = [](HWND dialog, const char* name) {
        RECT client = {};
        ::GetClientRect(dialog, &client);
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT rect = {};
            ::GetWindowRect(child, &rect);
            ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
            const int id = ::GetDlgCtrlID(child);
            EXPECT_TRUE(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom)
                << name << ": control " << id << " leaves the dialog";
            wchar_t className[32] = {};
            ::GetClassNameW(child, className, 32);
            if (std::wstring(className) != L"Button") {
                continue;
            }
            std::wstring text = ItemText(dialog, id);
            if (const auto amp = text.find(L'&'); amp != std::wstring::npos) {
                text.erase(amp, 1);
            }
            const HDC dc = ::GetDC(child);
            const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)));
            SIZE extent = {};
            ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            ::SelectObject(dc, old);
            ::ReleaseDC(child, dc);
            RECT inside = {};
            ::GetClientRect(child, &inside);
            // The frame and the focus rectangle take a few pixels on each side.
            EXPECT_LE(extent.cx + 2 * ::GetSystemMetrics(SM_CXEDGE) * 3, inside.right)
                << name << ": button " << id << " clips its text";
        }
    };
    for (const int templateId : {IDD_APPLICATION_CONDITION, IDD_EXCLUSION_CONDITION}) {
        CApplication& condition = templateId == IDD_APPLICATION_CONDITION ? static_cast<CApplication&>(perApplication)
                                                                          : static_cast<CApplication&>(exclusion);
        HWND dialog = OpenCondition(templateId, condition, MT_FILENAME);
        ASSERT_NE(dialog, nullptr);
        checkLayout(dialog, templateId == IDD_APPLICATION_CONDITION ? "condition dialog" : "exclusion dialog");
        // 参照 and the pick button sit side by side under the text box.
        RECT browse = {};
        RECT pickButton = {};
        RECT box = {};
        ::GetWindowRect(::GetDlgItem(dialog, IDC_CONDITION_BROWSE), &browse);
        ::GetWindowRect(::GetDlgItem(dialog, IDC_CONDITION_PICK), &pickButton);
        ::GetWindowRect(::GetDlgItem(dialog, IDC_CONDITION_EXPRESSION), &box);
        EXPECT_EQ(browse.top, pickButton.top);
        EXPECT_LE(browse.right, pickButton.left);
        EXPECT_GE(browse.top, box.bottom);
        if (templateId == IDD_APPLICATION_CONDITION) {
            HWND pick = OpenPick(dialog);
            ASSERT_NE(pick, nullptr);
            checkLayout(pick, "pick dialog");
            TolvTest::ClickLater(pick, IDCANCEL);
            ASSERT_TRUE(Closes(pick));
        }
        EXPECT_EQ(Press(dialog, IDCANCEL), 2);
    }
}

TEST_F(PickLayoutTest, ButtonsShowTheirWholeTextInsideTheDialogs) { ExpectLayoutsFit(); }

TEST_F(PickLayoutTest, ButtonsShowTheirWholeTextInsideTheDialogsAt144Dpi)
{
    if (TolvTest::IsDpiChild()) {
        ASSERT_EQ(::GetDpiForSystem(), 144u) << "the child did not start at 144 DPI";
        ExpectLayoutsFit();
        return;
    }
    EXPECT_EQ(TolvTest::RunAgainAtDpi(L"PickLayoutTest.*At144Dpi", 144), 0u) << "the layout failed at 144 DPI";
}

} // namespace
