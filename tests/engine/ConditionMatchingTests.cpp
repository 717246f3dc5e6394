// Conditions against described targets: the case rule of each type, whole-text
// patterns, empty and invalid expressions, and the order of a list.
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "configuration/CApplications.h"
#include "engine/ConditionMatching.h"

namespace {

using Configuration::CApplication;
using Configuration::CApplication4SwitchOnApplication;
using Configuration::CApplications4SwitchOnApplication;
using Configuration::MatchType;
using Engine::ConditionHolds;
using Engine::CompiledConditions;
using Engine::TargetWindowInfo;
using namespace Configuration;

struct MatchCase {
    const char* name;
    MatchType type;
    const wchar_t* expression;
    const wchar_t* fileName;
    const wchar_t* fullPath;
    const wchar_t* className;
    const wchar_t* windowText;
    bool holds;
};

void PrintTo(const MatchCase& c, std::ostream* out) { *out << c.name; }

TargetWindowInfo Target(const MatchCase& c)
{
    TargetWindowInfo target;
    target.fileName = c.fileName;
    target.fullPath = c.fullPath;
    target.className = c.className;
    target.windowText = c.windowText;
    return target;
}

class ConditionHoldsTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(ConditionHoldsTest, DecidesByTypeCaseRuleAndWholeText)
{
    const MatchCase& c = GetParam();
    EXPECT_EQ(ConditionHolds(CApplication(c.type, c.expression), Target(c)), c.holds);
}

constexpr const wchar_t* kPath = L"C:\\Windows\\notepad.exe";

// The fields a case does not test hold texts that no expression of the table matches.
INSTANTIATE_TEST_SUITE_P(
    ExactTypes, ConditionHoldsTest,
    ::testing::Values(
        MatchCase{"FileName_IgnoresAsciiCase", MT_FILENAME, L"NOTEPAD.EXE", L"notepad.exe", L"", L"x", L"x", true},
        MatchCase{"FileName_KeepsLatin1CapitalsUnlowered", MT_FILENAME, L"\u00C9DIT.EXE", L"\u00E9dit.exe", L"", L"x",
                  L"x", false},
        MatchCase{"FileName_LowersCapitalsFrom256Up", MT_FILENAME, L"\u0391\u0392\u0393.EXE",
                  L"\u03B1\u03B2\u03B3.exe", L"", L"x", L"x", true},
        MatchCase{"FileName_NeedsTheWholeName", MT_FILENAME, L"notepad", L"notepad.exe", L"", L"x", L"x", false},
        MatchCase{"FileName_EmptyExpressionHoldsForEmptyName", MT_FILENAME, L"", L"", L"", L"x", L"x", true},
        MatchCase{"FileName_EmptyExpressionFailsForAName", MT_FILENAME, L"", L"notepad.exe", L"", L"", L"", false},
        MatchCase{"FileName_UnopenedProcessNeverMatchesAName", MT_FILENAME, L"notepad.exe", L"", L"", L"x", L"x",
                  false},
        MatchCase{"FullPath_IgnoresCase", MT_FULLPATH, L"c:\\WINDOWS\\Notepad.EXE", L"notepad.exe", kPath, L"x", L"x",
                  true},
        MatchCase{"FullPath_IsNotTheFileName", MT_FULLPATH, L"notepad.exe", L"notepad.exe", kPath, L"x", L"x", false},
        MatchCase{"ClassName_SameCaseHolds", MT_CLASSNAME, L"Notepad", L"x", L"x", L"Notepad", L"x", true},
        MatchCase{"ClassName_OtherCaseFails", MT_CLASSNAME, L"notepad", L"x", L"x", L"Notepad", L"x", false},
        MatchCase{"WindowText_SameTextHolds", MT_WINDOWTEXT, L"Untitled - Notepad", L"x", L"x", L"x",
                  L"Untitled - Notepad", true},
        MatchCase{"WindowText_OtherCaseFails", MT_WINDOWTEXT, L"untitled - notepad", L"x", L"x", L"x",
                  L"Untitled - Notepad", false},
        MatchCase{"WindowText_EmptyExpressionHoldsForEmptyTitle", MT_WINDOWTEXT, L"", L"x", L"x", L"x", L"", true},
        MatchCase{"WindowText_JapaneseTitle", MT_WINDOWTEXT, L"メモ帳 - 無題", L"x", L"x", L"x", L"メモ帳 - 無題",
                  true},
        MatchCase{"Unrecognised_NeverHolds", kUnrecognisedMatchType, L"", L"", L"", L"", L"", false},
        MatchCase{"BeyondTheLastType_NeverHolds", static_cast<MatchType>(8), L"", L"", L"", L"", L"", false}),
    [](const ::testing::TestParamInfo<MatchCase>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Patterns, ConditionHoldsTest,
    ::testing::Values(
        MatchCase{"FileName_IgnoresCase", MT_FILENAME_REGEX, L"note.*", L"Notepad.exe", L"", L"x", L"x", true},
        MatchCase{"FileName_IgnoresCaseFrom256Up", MT_FILENAME_REGEX, L"\u0391\u0392\u0393\\.exe",
                  L"\u03B1\u03B2\u03B3.EXE", L"", L"x", L"x", true},
        MatchCase{"FileName_MatchesTheWholeName", MT_FILENAME_REGEX, L"notepad", L"notepad.exe", L"", L"x", L"x",
                  false},
        MatchCase{"FullPath_IgnoresCase", MT_FULLPATH_REGEX, L"c:\\\\windows\\\\.*", L"x", kPath, L"x", L"x", true},
        MatchCase{"FullPath_EmptyPatternMatchesUnopenedProcess", MT_FULLPATH_REGEX, L"", L"", L"", L"x", L"x", true},
        MatchCase{"ClassName_KeepsCase", MT_CLASSNAME_REGEX, L"note.*", L"x", L"x", L"Notepad", L"x", false},
        MatchCase{"ClassName_SameCaseHolds", MT_CLASSNAME_REGEX, L"Note.*", L"x", L"x", L"Notepad", L"x", true},
        MatchCase{"WindowText_PartOfTheTitleFails", MT_WINDOWTEXT_REGEX, L"Untitled", L"x", L"x", L"x",
                  L"Untitled - Notepad", false},
        MatchCase{"WindowText_WordInsideDotStars", MT_WINDOWTEXT_REGEX, L".*Notepad.*", L"x", L"x", L"x",
                  L"Untitled - Notepad", true},
        MatchCase{"WindowText_EmptyPatternFailsForATitle", MT_WINDOWTEXT_REGEX, L"", L"x", L"x", L"x", L"x", false},
        MatchCase{"WindowText_JapaneseWordClasses", MT_WINDOWTEXT_REGEX, L"\\w+ - \\w+", L"x", L"x", L"x",
                  L"メモ帳 - 無題", true},
        MatchCase{"WindowText_JapaneseNeedsTheWholeTitle", MT_WINDOWTEXT_REGEX, L"メモ帳", L"x", L"x", L"x",
                  L"メモ帳 - 無題", false},
        MatchCase{"FileName_InvalidPatternFails", MT_FILENAME_REGEX, L"([", L"([", L"", L"x", L"x", false},
        MatchCase{"ClassName_InvalidPatternFails", MT_CLASSNAME_REGEX, L"a{2,1}", L"x", L"x", L"aa", L"x", false},
        MatchCase{"WindowText_TooComplexToMatchFails", MT_WINDOWTEXT_REGEX, L"(x+x+)+y", L"x", L"x", L"x",
                  L"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", false}),
    [](const ::testing::TestParamInfo<MatchCase>& info) { return std::string(info.param.name); });

// A file title without its extension (extensions hidden) with the path that has it.
INSTANTIATE_TEST_SUITE_P(
    FileTitleWithoutExtension, ConditionHoldsTest,
    ::testing::Values(
        MatchCase{"Exact_NameWithExtension", MT_FILENAME, L"notepad.exe", L"notepad", kPath, L"x", L"x", true},
        MatchCase{"Exact_TitleInCapitals", MT_FILENAME, L"NOTEPAD", L"notepad", kPath, L"x", L"x", true},
        MatchCase{"Exact_Title", MT_FILENAME, L"notepad", L"notepad", kPath, L"x", L"x", true},
        MatchCase{"Exact_FolderIsNotPartOfTheName", MT_FILENAME, L"windows\\notepad.exe", L"notepad", kPath, L"x",
                  L"x", false},
        MatchCase{"Pattern_Prefix", MT_FILENAME_REGEX, L"note.*", L"notepad", kPath, L"x", L"x", true},
        MatchCase{"Pattern_Extension", MT_FILENAME_REGEX, L".*\\.exe", L"notepad", kPath, L"x", L"x", true},
        MatchCase{"NoPath_NameWithExtensionFails", MT_FILENAME, L"notepad.exe", L"notepad", L"", L"x", L"x", false},
        MatchCase{"NoPath_ExtensionPatternFails", MT_FILENAME_REGEX, L".*\\.exe", L"notepad", L"", L"x", L"x",
                  false},
        MatchCase{"NoPath_TitleHolds", MT_FILENAME, L"NOTEPAD", L"notepad", L"", L"x", L"x", true}),
    [](const ::testing::TestParamInfo<MatchCase>& info) { return std::string(info.param.name); });

struct Entry {
    MatchType type;
    const wchar_t* expression;
};

std::unique_ptr<CApplications4SwitchOnApplication> List(const std::vector<Entry>& entries)
{
    auto list = std::make_unique<CApplications4SwitchOnApplication>();
    for (const Entry& entry : entries) {
        list->Add(std::make_unique<CApplication4SwitchOnApplication>(entry.type, entry.expression, 0));
    }
    return list;
}

TEST(CompiledConditions, FindMatchGivesTheFirstEntryThatHoldsAndSkipsBrokenOnes)
{
    TargetWindowInfo target;
    target.fileName = L"notepad.exe";
    target.fullPath = kPath;
    target.className = L"Notepad";
    target.windowText = L"Untitled - Notepad";

    const struct {
        const char* name;
        std::vector<Entry> entries;
        int expected;
    } cases[] = {
        {"empty list", {}, -1},
        {"nothing holds", {{MT_CLASSNAME, L"notepad"}, {MT_WINDOWTEXT_REGEX, L"Untitled"}}, -1},
        {"entries 2 and 5 hold",
         {{MT_CLASSNAME, L"Edit"},
          {MT_FILENAME, L"calc.exe"},
          {MT_FILENAME, L"NOTEPAD.EXE"},
          {MT_WINDOWTEXT, L"x"},
          {kUnrecognisedMatchType, L""},
          {MT_CLASSNAME_REGEX, L"Note.*"}},
         2},
        {"invalid pattern and unknown type before the holding entry",
         {{MT_WINDOWTEXT_REGEX, L"(unclosed"}, {static_cast<MatchType>(42), L"Notepad"}, {MT_CLASSNAME, L"Notepad"}},
         2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompiledConditions(*List(c.entries)).FindMatch(target), c.expected) << c.name;
    }
}

// What the condition dialog asks before it stores a rule: does the pattern
// compile as matching compiles it, and why not.
TEST(PatternCompiles, RefusesOnlyPatternTypesWhosePatternDoesNotCompileAndSaysWhy)
{
    struct Case {
        MatchType type;
        std::wstring expression;
        bool compiles;
    };
    const Case cases[] = {
        {MT_FILENAME_REGEX, L"([", false},
        {MT_FULLPATH_REGEX, L"C:\\\\(Tools", false},
        {MT_CLASSNAME_REGEX, L"a{2,1}", false},
        {MT_WINDOWTEXT_REGEX, L"メモ帳)", false},
        {MT_WINDOWTEXT_REGEX, L".* - メモ帳$", true},
        {MT_FILENAME_REGEX, L"", true},
        // Literal types take pattern characters as text.
        {MT_FILENAME, L"([", true},
        {MT_FULLPATH, L"C:\\(", true},
        {MT_CLASSNAME, L"a{2,1}", true},
        {MT_WINDOWTEXT, L"メモ帳)", true},
    };
    for (const Case& c : cases) {
        std::wstring reason;
        std::size_t position = 99;
        EXPECT_EQ(Engine::PatternCompiles(c.type, c.expression, reason, position), c.compiles)
            << "type " << c.type << " " << testing::PrintToString(c.expression);
        if (!c.compiles) {
            EXPECT_FALSE(reason.empty());
            // The reason stops before the library quotes the pattern in narrowed characters.
            EXPECT_EQ(reason.find(L"The error occurred"), std::wstring::npos) << testing::PrintToString(reason);
            EXPECT_LE(position, c.expression.size());
            // A refused pattern is one that could never hold.
            CApplication4SwitchOnApplication rule(c.type, c.expression, 0);
            TargetWindowInfo target;
            target.fileName = target.fullPath = target.className = target.windowText = c.expression;
            EXPECT_FALSE(ConditionHolds(rule, target));
        }
    }
}

} // namespace
