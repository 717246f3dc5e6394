// The condition dialog in both variants, opened on its own and driven as a
// user would: what it shows, what OK, Cancel and closing write back, values
// from a hand-edited settings file, and the browse button's file chooser.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/settings/ConditionDialog.h"
#include "app/settings/SheetLists.h"
#include "configuration/CImes.h"
#include "engine/ConditionMatching.h"
#include "resources/ResourceIds.h"
#include "tests/app/settings/ConditionListDriver.h"
#include "tests/app/settings/SheetDriver.h"
#include "tests/flib/io/IniTestFiles.h"
#include "tests/support/Wait.h"

namespace {

using namespace Configuration;
using TolvTest::ComboItems;
using TolvTest::ComboSelection;
using TolvTest::ItemText;
using TolvTest::UiThread;

const HINSTANCE kInstance = ::GetModuleHandleW(nullptr);
constexpr wchar_t kCaption[] = L"条件設定";
constexpr wchar_t kChooserCaption[] = L"実行ファイルの選択";
constexpr wchar_t kPlaceholder[] = L"<条件を入力してください>";

const std::vector<std::wstring> kMatchTypeTexts = {
    L"実行ファイル名",           L"実行ファイル名【正規表現】", L"実行ファイル名(フルパス)",
    L"実行ファイル名(フルパス)【正規表現】", L"ウィンドウ クラス名",   L"ウィンドウ クラス名【正規表現】",
    L"ウィンドウ タイトル",       L"ウィンドウ タイトル【正規表現】"};

class ConditionDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Tolv::RebuildMatchTypeNames(kInstance);
        CImes imes;
        imes.GetAt(0)->SetName(L"Microsoft IME");
        imes.GetAt(1)->SetName(L"Google 日本語入力");
        Tolv::RebuildImeSlotLabels(imes);
    }

    // Opens the dialog on `condition` on a thread of its own; its window, or null.
    HWND Open(int templateId, CApplication& condition)
    {
        ui = std::make_unique<UiThread>(
            [this, templateId, &condition] { result = Tolv::RunConditionDialog(kInstance, nullptr, templateId, condition); });
        return ui->WaitForDialog(kCaption);
    }
    // The dialog's result once it has closed, 0 if it did not.
    INT_PTR CloseWith(HWND dialog, UINT message, WPARAM wParam)
    {
        ::PostMessageW(dialog, message, wParam, 0);
        return ui->WaitForEnd() ? result.load() : 0;
    }
    INT_PTR Press(HWND dialog, int button)
    {
        TolvTest::ClickLater(dialog, button);
        return ui->WaitForEnd() ? result.load() : 0;
    }

    // Declared before the thread, so they outlive a dialog a failed test leaves open.
    CApplication4SwitchOnApplication perApplication{MT_FULLPATH, L"C:\\Tools\\edit.exe", 1};
    CApplication4SwitchOnArchitecture exclusion{MT_CLASSNAME, L"Shell_TrayWnd"};
    std::atomic<INT_PTR> result{0};
    std::unique_ptr<UiThread> ui;
};

TEST_F(ConditionDialogTest, ShowsTheMatchTypesTheExpressionAndTheImeSlots)
{
    HWND dialog = Open(IDD_APPLICATION_CONDITION, perApplication);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ComboItems(dialog, IDC_CONDITION_MATCHTYPE), kMatchTypeTexts);
    EXPECT_EQ(ComboSelection(dialog, IDC_CONDITION_MATCHTYPE), MT_FULLPATH);
    EXPECT_EQ(ItemText(dialog, IDC_CONDITION_EXPRESSION), L"C:\\Tools\\edit.exe");
    EXPECT_EQ(ComboItems(dialog, IDC_CONDITION_IME),
              (std::vector<std::wstring>{L"IME-1: Microsoft IME", L"IME-2: Google 日本語入力", L"IME-3: IME-3",
                                         L"IME-4: IME-4"}));
    EXPECT_EQ(ComboSelection(dialog, IDC_CONDITION_IME), 1);
    EXPECT_EQ(Press(dialog, IDCANCEL), 2);
}

TEST_F(ConditionDialogTest, CancelAndClosingLeaveTheConditionAloneAfterChanges)
{
    struct Closing {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    for (const Closing& c : {Closing{"Cancel", WM_COMMAND, IDCANCEL}, Closing{"close box", WM_CLOSE, 0}}) {
        HWND dialog = Open(IDD_APPLICATION_CONDITION, perApplication);
        ASSERT_NE(dialog, nullptr) << c.name;
        TolvTest::Choose(dialog, IDC_CONDITION_MATCHTYPE, MT_WINDOWTEXT);
        TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, L"changed");
        TolvTest::Choose(dialog, IDC_CONDITION_IME, 3);
        EXPECT_EQ(CloseWith(dialog, c.message, c.wParam), 2) << c.name;
        EXPECT_EQ(perApplication.GetMatchType(), MT_FULLPATH) << c.name;
        EXPECT_EQ(perApplication.GetExpression(), L"C:\\Tools\\edit.exe") << c.name;
        EXPECT_EQ(perApplication.GetImeNumber(), 1) << c.name;
    }
}

TEST_F(ConditionDialogTest, OkStoresTheChoicesAndTheTextAsTyped)
{
    struct Entry {
        MatchType type;
        std::wstring text;
        int ime;
    };
    // Nothing is validated: an empty text and a pattern that does not compile are kept too.
    for (const Entry& e : {Entry{MT_WINDOWTEXT_REGEX, L"^.* - メモ帳$", 3}, Entry{MT_FILENAME, L"", 0},
                           Entry{MT_CLASSNAME_REGEX, L"([unclosed", 2}}) {
        HWND dialog = Open(IDD_APPLICATION_CONDITION, perApplication);
        ASSERT_NE(dialog, nullptr);
        TolvTest::Choose(dialog, IDC_CONDITION_MATCHTYPE, e.type);
        TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, e.text);
        TolvTest::Choose(dialog, IDC_CONDITION_IME, e.ime);
        EXPECT_EQ(Press(dialog, IDOK), 1);
        EXPECT_EQ(perApplication.GetMatchType(), e.type);
        EXPECT_EQ(perApplication.GetExpression(), e.text);
        EXPECT_EQ(perApplication.GetImeNumber(), e.ime);
    }
}

TEST_F(ConditionDialogTest, EmptyExpressionOpensWithThePlaceholderWhichOkStores)
{
    perApplication.SetExpression(L"");
    HWND dialog = Open(IDD_APPLICATION_CONDITION, perApplication);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ItemText(dialog, IDC_CONDITION_EXPRESSION), kPlaceholder);
    EXPECT_EQ(Press(dialog, IDOK), 1);
    EXPECT_EQ(perApplication.GetExpression(), kPlaceholder);
}

TEST_F(ConditionDialogTest, ExclusionVariantHasNoImeChoiceAndStoresTypeAndExpression)
{
    HWND dialog = Open(IDD_EXCLUSION_CONDITION, exclusion);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(::GetDlgItem(dialog, IDC_CONDITION_IME), nullptr);
    EXPECT_EQ(ComboSelection(dialog, IDC_CONDITION_MATCHTYPE), MT_CLASSNAME);
    TolvTest::Choose(dialog, IDC_CONDITION_MATCHTYPE, MT_FILENAME_REGEX);
    TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, L"explorer\\.exe");
    EXPECT_EQ(Press(dialog, IDOK), 1);
    EXPECT_EQ(exclusion.GetMatchType(), MT_FILENAME_REGEX);
    EXPECT_EQ(exclusion.GetExpression(), L"explorer\\.exe");
}

// Values only a settings file edited by hand holds: shown as they are and kept
// by an OK that does not touch them.
struct HandEditedCase {
    const char* name;
    MatchType type;
    int ime;
    int expectedTypeSelection;
    std::vector<std::wstring> expectedImeItems;
    int expectedImeSelection;
    bool imeEnabled;
    int choose; // IME entry the user picks before OK, -1 for none
    MatchType storedType;
    int storedIme;
};

void PrintTo(const HandEditedCase& c, std::ostream* out) { *out << c.name; }

class HandEditedConditionTest : public ConditionDialogTest, public ::testing::WithParamInterface<HandEditedCase> {};

TEST_P(HandEditedConditionTest, ShowsTheStoredValueAndKeepsItUnlessChanged)
{
    const HandEditedCase& c = GetParam();
    perApplication.SetMatchType(c.type);
    perApplication.SetImeNumber(c.ime);
    HWND dialog = Open(IDD_APPLICATION_CONDITION, perApplication);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ComboSelection(dialog, IDC_CONDITION_MATCHTYPE), c.expectedTypeSelection);
    EXPECT_EQ(ComboItems(dialog, IDC_CONDITION_IME), c.expectedImeItems);
    EXPECT_EQ(ComboSelection(dialog, IDC_CONDITION_IME), c.expectedImeSelection);
    EXPECT_EQ(TolvTest::IsItemEnabled(dialog, IDC_CONDITION_IME), c.imeEnabled);
    if (c.choose >= 0) {
        TolvTest::Choose(dialog, IDC_CONDITION_IME, c.choose);
    }
    EXPECT_EQ(Press(dialog, IDOK), 1);
    EXPECT_EQ(perApplication.GetMatchType(), c.storedType);
    EXPECT_EQ(perApplication.GetImeNumber(), c.storedIme);
    EXPECT_EQ(perApplication.GetExpression(), L"C:\\Tools\\edit.exe");
}

const std::vector<std::wstring> kSlotItems = {L"IME-1: Microsoft IME", L"IME-2: Google 日本語入力", L"IME-3: IME-3",
                                              L"IME-4: IME-4"};

std::vector<std::wstring> WithMissing(const std::wstring& entry)
{
    std::vector<std::wstring> items = kSlotItems;
    items.push_back(entry);
    return items;
}

INSTANTIATE_TEST_SUITE_P(
    Values, HandEditedConditionTest,
    ::testing::Values(
        HandEditedCase{"ImeNumberWithoutSlot_KeptByOk", MT_FULLPATH, 6, MT_FULLPATH,
                       WithMissing(L"IME-7: (このIMEは登録されていません)"), 4, true, -1, MT_FULLPATH, 6},
        HandEditedCase{"ImeNumberWithoutSlot_ReplacedByAChosenSlot", MT_FULLPATH, 4, MT_FULLPATH,
                       WithMissing(L"IME-5: (このIMEは登録されていません)"), 4, true, 1, MT_FULLPATH, 1},
        HandEditedCase{"NegativeImeNumber_ChoiceDisabledAndKept", MT_FULLPATH, -1, MT_FULLPATH, {}, -1, false, -1,
                       MT_FULLPATH, -1},
        HandEditedCase{"UnrecognisedMatchType_NothingSelectedAndKept", kUnrecognisedMatchType, 2, -1, kSlotItems, 2,
                       true, -1, kUnrecognisedMatchType, 2}),
    [](const ::testing::TestParamInfo<HandEditedCase>& info) { return std::string(info.param.name); });

// The browse button with the system's open-file dialog, on a real file whose
// name holds pattern characters.
struct BrowseCase {
    const char* name;
    MatchType type;
    bool opensChooser;
    bool fullPath;
    bool escaped;
};

void PrintTo(const BrowseCase& c, std::ostream* out) { *out << c.name; }

class BrowseTest : public ConditionDialogTest, public ::testing::WithParamInterface<BrowseCase> {
protected:
    static std::wstring Escaped(const std::wstring& text)
    {
        std::wstring escaped;
        for (const wchar_t c : text) {
            if (std::wstring(L"\\^$.|?*+()[]{}").find(c) != std::wstring::npos) {
                escaped += L'\\';
            }
            escaped += c;
        }
        return escaped;
    }

    // Types the path into the chooser's file name field and confirms it.
    static void ChooseFile(HWND chooser, const std::wstring& path)
    {
        HWND nameField = ::GetDlgItem(chooser, 0x47C); // cmb13: the file name
        if (HWND edit = ::FindWindowExW(nameField, nullptr, L"Edit", nullptr)) {
            nameField = edit;
        }
        ::SendMessageW(nameField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        TolvTest::ClickLater(chooser, IDOK);
    }

    TolvTest::TempFolder folder;
    const std::wstring fileName = L"tolv a+b (1).exe";
    const std::wstring fullPath = folder.File(fileName);
};

TEST_P(BrowseTest, FillsTheExpressionForTheMatchType)
{
    const BrowseCase& c = GetParam();
    std::ofstream(fullPath.c_str()).put('x');
    perApplication.SetMatchType(c.type);
    perApplication.SetExpression(L"before");
    HWND dialog = Open(IDD_APPLICATION_CONDITION, perApplication);
    ASSERT_NE(dialog, nullptr);
    TolvTest::ClickLater(dialog, IDC_CONDITION_BROWSE);
    HWND chooser = ui->WaitForDialog(kChooserCaption, c.opensChooser ? 10000 : 1000);
    if (!c.opensChooser) {
        EXPECT_EQ(chooser, nullptr) << "no file belongs to this match type";
        EXPECT_EQ(ItemText(dialog, IDC_CONDITION_EXPRESSION), L"before");
        EXPECT_EQ(Press(dialog, IDCANCEL), 2);
        return;
    }
    ASSERT_NE(chooser, nullptr);
    ChooseFile(chooser, fullPath);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(chooser); }, 5000));

    const std::wstring literal = c.fullPath ? fullPath : fileName;
    const std::wstring expression = ItemText(dialog, IDC_CONDITION_EXPRESSION);
    EXPECT_EQ(expression, c.escaped ? Escaped(literal) : literal);
    EXPECT_TRUE(::IsWindow(dialog)) << "the dialog stays open after browsing";
    EXPECT_EQ(Press(dialog, IDOK), 1);

    // The stored rule holds for that very executable, and a pattern only for it.
    Engine::TargetWindowInfo target;
    target.fileName = fileName;
    target.fullPath = fullPath;
    EXPECT_TRUE(Engine::ConditionHolds(perApplication, target)) << "expression " << perApplication.GetExpression();
    Engine::TargetWindowInfo other;
    other.fileName = L"tolv aab (1).exe";
    other.fullPath = folder.File(other.fileName);
    EXPECT_FALSE(Engine::ConditionHolds(perApplication, other));
}

INSTANTIATE_TEST_SUITE_P(
    MatchTypes, BrowseTest,
    ::testing::Values(BrowseCase{"FileName", MT_FILENAME, true, false, false},
                      BrowseCase{"FileNamePattern", MT_FILENAME_REGEX, true, false, true},
                      BrowseCase{"FullPath", MT_FULLPATH, true, true, false},
                      BrowseCase{"FullPathPattern", MT_FULLPATH_REGEX, true, true, true},
                      BrowseCase{"ClassName", MT_CLASSNAME, false, false, false},
                      BrowseCase{"WindowTitlePattern", MT_WINDOWTEXT_REGEX, false, false, false}),
    [](const ::testing::TestParamInfo<BrowseCase>& info) { return std::string(info.param.name); });

TEST_F(ConditionDialogTest, CancelledChooserLeavesTheExpression)
{
    perApplication.SetMatchType(MT_FILENAME);
    HWND dialog = Open(IDD_APPLICATION_CONDITION, perApplication);
    ASSERT_NE(dialog, nullptr);
    TolvTest::ClickLater(dialog, IDC_CONDITION_BROWSE);
    HWND chooser = ui->WaitForDialog(kChooserCaption);
    ASSERT_NE(chooser, nullptr);
    TolvTest::ClickLater(chooser, IDCANCEL);
    ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(chooser); }, 5000));
    EXPECT_EQ(ItemText(dialog, IDC_CONDITION_EXPRESSION), L"C:\\Tools\\edit.exe");
    EXPECT_EQ(Press(dialog, IDCANCEL), 2);
}

} // namespace
