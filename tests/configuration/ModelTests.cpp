// The model without a file: defaults, list ownership, conversions.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>

#include "configuration/CConfigurations.h"
#include "configuration/MatchType.h"
#include "configuration/ProcessedPolicy.h"
#include "configuration/SendType.h"
#include "tests/support/ImportPatch.h"

namespace {

using namespace Configuration;

TEST(CApplicationsTest, RemoveDeletesOnlyItsOwnConditions)
{
    CApplications4SwitchOnArchitecture list;
    list.Add(std::make_unique<CApplication4SwitchOnArchitecture>(MT_FILENAME, L"a.exe"));
    list.Add(std::make_unique<CApplication4SwitchOnArchitecture>(MT_FILENAME, L"b.exe"));
    list.Add(std::make_unique<CApplication4SwitchOnArchitecture>(MT_FILENAME, L"c.exe"));
    const CApplication4SwitchOnArchitecture stranger(MT_FILENAME, L"b.exe");

    EXPECT_EQ(list.Remove(&stranger), 0) << "an equal condition of no list is not one of its own";
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Remove(list.GetAt(1)), 1);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetAt(0)->GetExpression(), L"a.exe");
    EXPECT_EQ(list.GetAt(1)->GetExpression(), L"c.exe");
}

TEST(CApplicationsTest, SwapTradesTwoConditionsAndRefusesIndicesOutsideTheList)
{
    CApplications4SwitchOnArchitecture list;
    for (const wchar_t* name : {L"a.exe", L"b.exe", L"c.exe"}) {
        list.Add(std::make_unique<CApplication4SwitchOnArchitecture>(MT_FILENAME, name));
    }
    const CApplication* first = list.GetAt(0);
    EXPECT_EQ(list.Swap(0, 2), 1);
    EXPECT_EQ(list.GetAt(2), first) << "the objects move, not their values";
    EXPECT_EQ(list.GetAt(0)->GetExpression(), L"c.exe");
    for (const auto& wrong : {std::make_pair(-1, 0), std::make_pair(0, 3), std::make_pair(3, 1)}) {
        EXPECT_EQ(list.Swap(wrong.first, wrong.second), 0) << wrong.first << ", " << wrong.second;
    }
    EXPECT_EQ(list.GetAt(0)->GetExpression(), L"c.exe");
    EXPECT_EQ(list.GetAt(1)->GetExpression(), L"b.exe");
    EXPECT_EQ(list.GetAt(2)->GetExpression(), L"a.exe");
}

TEST(CApplicationsTest, CopyFromMakesNewConditionsOfTheSameKind)
{
    CApplications4SwitchOnApplication source;
    source.Add(std::make_unique<CApplication4SwitchOnApplication>(MT_CLASSNAME_REGEX, L"Edit.*", 2));
    CApplications4SwitchOnApplication copy;
    copy.Add(std::make_unique<CApplication4SwitchOnApplication>(MT_FILENAME, L"replaced.exe", 0));
    copy.Assign(source);

    ASSERT_EQ(copy.Count(), 1);
    ASSERT_NE(copy.GetAt(0), nullptr);
    EXPECT_NE(copy.GetAt(0), source.GetAt(0));
    copy.GetAt(0)->SetImeNumber(5);
    copy.GetAt(0)->SetExpression(L"changed");
    EXPECT_EQ(source.GetAt(0)->GetImeNumber(), 2);
    EXPECT_EQ(source.GetAt(0)->GetExpression(), L"Edit.*");
    EXPECT_EQ(source.GetAt(0)->GetMatchType(), MT_CLASSNAME_REGEX);
}

TEST(CImesTest, CopyFromCopiesNamesAndKeysIntoNewSlots)
{
    CImes source;
    CImes copy;
    copy.Clear();
    copy.Assign(source);
    ASSERT_EQ(copy.Count(), 4);
    EXPECT_NE(copy.GetAt(0), source.GetAt(0));
    copy.GetAt(0)->SetKeys(Flib::IO::Input::CKeys{0x1C});
    copy.GetAt(0)->SetName(L"changed");
    EXPECT_EQ(source.GetAt(0)->GetName(), L"IME-1");
    EXPECT_EQ(source.GetAt(0)->GetKeys(), (Flib::IO::Input::CKeys{0x12, 0x10, 0x31}));
}

TEST(CSwitchOnArchitectureTest, KnowsTheNativeArchitecture)
{
    SYSTEM_INFO info = {};
    ::GetNativeSystemInfo(&info);
    const int expected = info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ? 1 : 0;
    EXPECT_EQ(CSwitchOnArchitecture().Is64BitSystem(), expected);
}

// GetNativeSystemInfo answering with the architecture of the case at hand.
void* originalNativeSystemInfo = nullptr;
WORD reportedArchitecture = 0;
void WINAPI NativeSystemInfoOf(LPSYSTEM_INFO info)
{
    reinterpret_cast<void(WINAPI*)(LPSYSTEM_INFO)>(originalNativeSystemInfo)(info);
    info->wProcessorArchitecture = reportedArchitecture;
}

TEST(CSwitchOnArchitectureTest, CountsX64Arm64AndItaniumAs64BitSystems)
{
    const struct {
        const char* name;
        WORD architecture;
        int expected;
    } cases[] = {
        {"x86", PROCESSOR_ARCHITECTURE_INTEL, 0},
        {"x64", PROCESSOR_ARCHITECTURE_AMD64, 1},
        {"ARM64", 12, 1},
        {"Itanium", PROCESSOR_ARCHITECTURE_IA64, 1},
        {"ARM", PROCESSOR_ARCHITECTURE_ARM, 0},
        {"unknown", PROCESSOR_ARCHITECTURE_UNKNOWN, 0},
    };
    TolvTest::ImportPatch patch("GetNativeSystemInfo", reinterpret_cast<void*>(NativeSystemInfoOf));
    ASSERT_GT(patch.Slots(), 0u);
    originalNativeSystemInfo = patch.Original();
    for (const auto& c : cases) {
        reportedArchitecture = c.architecture;
        EXPECT_EQ(CSwitchOnArchitecture().Is64BitSystem(), c.expected) << c.name;
    }
}

TEST(CSwitchOnListsTest, ResetLeavesAnEmptyListToRead)
{
    CSwitchOnArchitecture architecture;
    architecture.GetIgnoreApplications()->Add(std::make_unique<CApplication4SwitchOnArchitecture>(MT_FILENAME, L"a"));
    architecture.Reset();
    ASSERT_NE(architecture.GetIgnoreApplications(), nullptr);
    EXPECT_EQ(architecture.GetIgnoreApplications()->Count(), 0);

    CSwitchOnApplication application;
    application.GetApplications()->Add(std::make_unique<CApplication4SwitchOnApplication>(MT_FILENAME, L"a", 1));
    application.Reset();
    ASSERT_NE(application.GetApplications(), nullptr);
    EXPECT_EQ(application.GetApplications()->Count(), 0);
}

// The spellings are part of the settings file: each is checked against literal text.
TEST(EnumFileTextTest, EveryValueHasItsFileSpellingAndBack)
{
    const std::pair<MatchType, const wchar_t*> matchTypes[] = {
        {MT_FILENAME, L"MT_FILENAME"},
        {MT_FILENAME_REGEX, L"MT_FILENAME_REGEX"},
        {MT_FULLPATH, L"MT_FULLPATH"},
        {MT_FULLPATH_REGEX, L"MT_FULLPATH_REGEX"},
        {MT_CLASSNAME, L"MT_CLASSNAME"},
        {MT_CLASSNAME_REGEX, L"MT_CLASSNAME_REGEX"},
        {MT_WINDOWTEXT, L"MT_WINDOWTEXT"},
        {MT_WINDOWTEXT_REGEX, L"MT_WINDOWTEXT_REGEX"},
    };
    for (const auto& [value, text] : matchTypes) {
        EXPECT_EQ(MatchTypeToName(value), text);
        EXPECT_EQ(MatchTypeFromName(text), value) << text;
    }
    const std::pair<SendType, const wchar_t*> sendTypes[] = {
        {ST_SENDINPUT_ALTFIRST, L"ST_SENDINPUT_ALTFIRST"},
        {ST_SENDINPUT_SHIFTFIRST, L"ST_SENDINPUT_SHIFTFIRST"},
        {ST_SENDINPUT_CTRLFIRST, L"ST_SENDINPUT_CTRLFIRST"},
        {ST_SETKEYBOARDSTATE, L"ST_SETKEYBOARDSTATE"},
    };
    for (const auto& [value, text] : sendTypes) {
        EXPECT_EQ(SendTypeToName(value), text);
        EXPECT_EQ(SendTypeFromName(text), value) << text;
    }
    const std::pair<ProcessedPolicy, const wchar_t*> policies[] = {
        {PP_WINDOWHANDLE, L"PP_WINDOWHANDLE"},
        {PP_PROCESSID, L"PP_PROCESSID"},
        {PP_NONE, L"PP_NONE"},
    };
    for (const auto& [value, text] : policies) {
        EXPECT_EQ(ProcessedPolicyToName(value), text);
        EXPECT_EQ(ProcessedPolicyFromName(text), value) << text;
    }
}

TEST(EnumFileTextTest, AnythingElseIsUnrecognisedAndWritesEmpty)
{
    EXPECT_EQ(MatchTypeToName(kUnrecognisedMatchType), L"");
    EXPECT_EQ(MatchTypeToName(static_cast<MatchType>(8)), L"");
    EXPECT_EQ(MatchTypeFromName(L"MT_FILENAME "), kUnrecognisedMatchType);
    EXPECT_EQ(MatchTypeFromName(L"mt_filename"), kUnrecognisedMatchType);
    EXPECT_EQ(MatchTypeFromName(L""), kUnrecognisedMatchType);

    EXPECT_EQ(SendTypeToName(kUnrecognisedSendType), L"");
    EXPECT_EQ(SendTypeFromName(L"ST_SENDINPUT"), kUnrecognisedSendType);
    EXPECT_EQ(ProcessedPolicyToName(kUnrecognisedProcessedPolicy), L"");
    EXPECT_EQ(ProcessedPolicyFromName(L"pp_none"), kUnrecognisedProcessedPolicy);
}

} // namespace
