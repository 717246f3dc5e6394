// The condition dialog in both variants, opened on its own and driven as a
// user would: what it shows, what OK, Cancel and closing write back, values
// from a hand-edited settings file, and the browse button's file chooser.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

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
constexpr wchar_t kHint[] = L"<条件を入力してください>";
constexpr wchar_t kMessageCaption[] = L"トルヴ : 自動IME切り替え機";

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
    // Blanks are kept, and pattern characters are plain text in the literal types.
    for (const Entry& e : {Entry{MT_WINDOWTEXT_REGEX, L"^.* - メモ帳$", 3}, Entry{MT_WINDOWTEXT, L"  無題 - メモ帳 ", 0},
                           Entry{MT_CLASSNAME, L"([unclosed", 2}}) {
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

TEST_F(ConditionDialogTest, EmptyBoxShowsTheHintAsACueBannerThatIsNeverText)
{
    perApplication.SetExpression(L"");
    HWND dialog = Open(IDD_APPLICATION_CONDITION, perApplication);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ItemText(dialog, IDC_CONDITION_EXPRESSION), L"");
    wchar_t banner[64] = {};
    ::SendDlgItemMessageW(dialog, IDC_CONDITION_EXPRESSION, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(banner), 64);
    EXPECT_STREQ(banner, kHint);
    EXPECT_EQ(Press(dialog, IDCANCEL), 2);
}

// What OK does with an expression of each match type: a pattern type refuses
// a pattern that does not compile with the engine's own flags, every type
// refuses an empty expression, and the dialog stays open with the text
// selected for correcting.
struct RefusalCase {
    const char* name;
    MatchType type;
    std::wstring expression;
    bool refused;
    const wchar_t* message; // the start of the message's text
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

class ConditionRefusalTest : public ConditionDialogTest, public ::testing::WithParamInterface<RefusalCase> {
protected:
    // The message box the dialog's thread shows, null after the time-out.
    HWND WaitForMessage() { return ui->WaitForDialog(kMessageCaption, 5000); }
};

TEST_P(ConditionRefusalTest, RefusesWhatCanNeverWorkAndKeepsTheDialogOpen)
{
    const RefusalCase& c = GetParam();
    for (const int templateId : {IDD_APPLICATION_CONDITION, IDD_EXCLUSION_CONDITION}) {
        CApplication& condition = templateId == IDD_APPLICATION_CONDITION ? static_cast<CApplication&>(perApplication)
                                                                          : static_cast<CApplication&>(exclusion);
        const MatchType typeBefore = condition.GetMatchType();
        const std::wstring expressionBefore = condition.GetExpression();
        HWND dialog = Open(templateId, condition);
        ASSERT_NE(dialog, nullptr);
        TolvTest::Choose(dialog, IDC_CONDITION_MATCHTYPE, c.type);
        TolvTest::Type(dialog, IDC_CONDITION_EXPRESSION, c.expression);
        if (!c.refused) {
            EXPECT_EQ(Press(dialog, IDOK), 1);
            EXPECT_EQ(condition.GetMatchType(), c.type);
            EXPECT_EQ(condition.GetExpression(), c.expression);
            continue;
        }
        TolvTest::ClickLater(dialog, IDOK);
        HWND message = WaitForMessage();
        ASSERT_NE(message, nullptr) << "no message for a refused expression";
        const std::wstring text = ItemText(message, 0xFFFF);
        EXPECT_EQ(text.rfind(c.message, 0), 0u) << "message: " << testing::PrintToString(text);
        if (!c.expression.empty()) {
            // The library's own reason follows, with the place of the fault.
            EXPECT_GT(text.size(), std::wstring(c.message).size() + 8) << testing::PrintToString(text);
            EXPECT_NE(text.find(L"文字目"), std::wstring::npos);
        }
        TolvTest::ClickLater(message, IDOK);
        ASSERT_TRUE(TolvTest::WaitUntil([&] { return !::IsWindow(message); }, 5000));
        ASSERT_TRUE(::IsWindow(dialog)) << "the dialog closed on a refused expression";

        // The text is as typed, selected, with the focus in its box.
        GUITHREADINFO focus = {};
        focus.cbSize = sizeof(focus);
        EXPECT_TRUE(TolvTest::WaitUntil(
            [&] {
                return ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &focus) &&
                       focus.hwndFocus == ::GetDlgItem(dialog, IDC_CONDITION_EXPRESSION);
            },
            5000));
        EXPECT_EQ(ItemText(dialog, IDC_CONDITION_EXPRESSION), c.expression);
        DWORD start = 1;
        DWORD end = 0;
        ::SendDlgItemMessageW(dialog, IDC_CONDITION_EXPRESSION, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                              reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, c.expression.size());
        EXPECT_EQ(Press(dialog, IDCANCEL), 2);
        EXPECT_EQ(condition.GetMatchType(), typeBefore) << "a refused OK wrote the condition";
        EXPECT_EQ(condition.GetExpression(), expressionBefore);
    }
}

constexpr wchar_t kPatternMessage[] = L"この条件は正規表現として使えません。";
constexpr wchar_t kEmptyMessage[] = L"条件を入力してください。";

INSTANTIATE_TEST_SUITE_P(
    MatchTypes, ConditionRefusalTest,
    ::testing::Values(
        RefusalCase{"FileNamePattern_Invalid", MT_FILENAME_REGEX, L"([", true, kPatternMessage},
        RefusalCase{"FullPathPattern_Invalid", MT_FULLPATH_REGEX, L"C:\\\\Tools\\\\(edit", true, kPatternMessage},
        RefusalCase{"ClassNamePattern_Invalid", MT_CLASSNAME_REGEX, L"Afx)", true, kPatternMessage},
        RefusalCase{"TitlePattern_Invalid", MT_WINDOWTEXT_REGEX, L"メモ帳[", true, kPatternMessage},
        RefusalCase{"FileNamePattern_Valid", MT_FILENAME_REGEX, L"note(pad|book)\\.exe", false, nullptr},
        RefusalCase{"TitlePattern_ValidWithBlanks", MT_WINDOWTEXT_REGEX, L" .* - メモ帳 ", false, nullptr},
        RefusalCase{"FileName_PatternCharactersAreText", MT_FILENAME, L"([", false, nullptr},
        RefusalCase{"FullPath_PatternCharactersAreText", MT_FULLPATH, L"C:\\(a", false, nullptr},
        RefusalCase{"ClassName_PatternCharactersAreText", MT_CLASSNAME, L"Afx*+", false, nullptr},
        RefusalCase{"Title_PatternCharactersAreText", MT_WINDOWTEXT, L"メモ帳[", false, nullptr},
        RefusalCase{"FileName_Empty", MT_FILENAME, L"", true, kEmptyMessage},
        RefusalCase{"FullPathPattern_Empty", MT_FULLPATH_REGEX, L"", true, kEmptyMessage},
        RefusalCase{"Title_Empty", MT_WINDOWTEXT, L"", true, kEmptyMessage}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// 参照 has a file to offer only for the file-name and full-path types, and follows the type box.
TEST_F(ConditionDialogTest, BrowseIsEnabledOnlyForTheFileTypes)
{
    perApplication.SetMatchType(MT_CLASSNAME);
    HWND dialog = Open(IDD_APPLICATION_CONDITION, perApplication);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(TolvTest::IsItemEnabled(dialog, IDC_CONDITION_BROWSE)) << "opened on a class name";
    for (int type = MT_FILENAME; type <= MT_WINDOWTEXT_REGEX; ++type) {
        TolvTest::Choose(dialog, IDC_CONDITION_MATCHTYPE, type);
        EXPECT_EQ(TolvTest::IsItemEnabled(dialog, IDC_CONDITION_BROWSE), type <= MT_FULLPATH_REGEX) << "type " << type;
    }
    EXPECT_EQ(Press(dialog, IDCANCEL), 2);
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
