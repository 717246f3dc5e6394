// The slot the rules choose: a table over described targets of both bitnesses,
// then the same rules on real windows of real 64-bit and 32-bit processes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/SwitchDecision.h"
#include "tests/engine/EngineTestRules.h"
#include "tests/support/KeyLoggers.h"
#include "tests/support/TestWindows.h"

namespace {

using namespace Configuration;
using Engine::ChooseImeNumber;
using Engine::DescribeWindow;
using Engine::TargetWindowInfo;
using EngineTest::MakeConfiguration;
using EngineTest::Rules;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;
using TolvTest::kKeyLogClass32;
using TolvTest::kKeyLogClass64;

// What DescribeWindow gives for the two key loggers the real-process cases start.
TargetWindowInfo Target64()
{
    TargetWindowInfo target;
    target.processId = 0x1a4;
    target.fileName = L"tolv_keylog.exe";
    target.fullPath = L"Z:\\work\\build\\bin\\tolv_keylog.exe";
    target.isWow64 = FALSE;
    target.windowHandle = reinterpret_cast<HWND>(0x2006a);
    target.threadId = 0x1a8;
    target.className = kKeyLogClass64;
    target.windowText = TolvTest::kKeyLogTitle64;
    return target;
}

TargetWindowInfo Target32()
{
    TargetWindowInfo target;
    target.processId = 0x1b0;
    target.fileName = L"tolv_keylog32.exe";
    target.fullPath = L"Z:\\work\\build\\bin\\tolv_keylog32.exe";
    target.isWow64 = TRUE;
    target.windowHandle = reinterpret_cast<HWND>(0x3005c);
    target.threadId = 0x1b4;
    target.className = kKeyLogClass32;
    target.windowText = TolvTest::kKeyLogTitle32;
    return target;
}

struct DecisionCase {
    const char* name;
    Rules rules;
    bool is64BitSystem;
    int expected64; // for the 64-bit target
    int expected32; // for the WOW64 target
};

void PrintTo(const DecisionCase& c, std::ostream* out) { *out << c.name; }

class ChooseImeNumberTest : public ::testing::TestWithParam<DecisionCase> {};

TEST_P(ChooseImeNumberTest, PicksTheSlotOfTheRules)
{
    const DecisionCase& c = GetParam();
    const auto configuration = MakeConfiguration(c.rules);
    EXPECT_EQ(ChooseImeNumber(Target64(), Engine::RuleSnapshot(*configuration), c.is64BitSystem), c.expected64) << "64-bit process";
    EXPECT_EQ(ChooseImeNumber(Target32(), Engine::RuleSnapshot(*configuration), c.is64BitSystem), c.expected32) << "WOW64 process";
}

Rules Architecture(int imeNumber32, int imeNumber64)
{
    Rules rules;
    rules.architectureUse = 1;
    rules.imeNumber32 = imeNumber32;
    rules.imeNumber64 = imeNumber64;
    return rules;
}

Rules With(Rules rules, std::vector<EngineTest::Condition> ignore, std::vector<EngineTest::Condition> applications)
{
    rules.ignore = std::move(ignore);
    rules.applications = std::move(applications);
    return rules;
}

Rules Off(Rules rules)
{
    rules.architectureUse = 0;
    return rules;
}

Rules Slots(Rules rules, int count)
{
    rules.imeCount = count;
    return rules;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ChooseImeNumberTest,
    ::testing::Values(
        DecisionCase{"NoRules_NothingChosen", Rules{}, true, -1, -1},
        DecisionCase{"Architecture_Wow64Gets32BitSlotNativeGets64BitSlot", Architecture(1, 2), true, 2, 1},
        DecisionCase{"Architecture_Off_NothingChosen", Off(Architecture(1, 2)), true, -1, -1},
        DecisionCase{"Architecture_On32BitSystem_NeverApplies", Architecture(1, 2), false, -1, -1},
        DecisionCase{"Architecture_ExclusionOnlyForTheListedTarget",
                     With(Architecture(1, 2), {{MT_CLASSNAME, kKeyLogClass64, 0}}, {}), true, -1, 1},
        DecisionCase{"Architecture_ExclusionByPathPattern",
                     With(Architecture(1, 2), {{MT_FULLPATH_REGEX, L".*\\\\TOLV_KEYLOG32\\.EXE", 0}}, {}), true, 2,
                     -1},
        DecisionCase{"Architecture_OutOfRangeNumberSendsNothing", Architecture(4, -1), true, -1, -1},
        DecisionCase{"Application_OverridesArchitecture",
                     With(Architecture(1, 2), {}, {{MT_FILENAME, L"tolv_keylog.exe", 3}}), true, 3, 1},
        DecisionCase{"Application_WinsOverExclusion",
                     With(Architecture(1, 2), {{MT_CLASSNAME_REGEX, L"TolvKeyLog.*", 0}},
                          {{MT_WINDOWTEXT, TolvTest::kKeyLogTitle64, 0}}),
                     true, 0, -1},
        DecisionCase{"Application_FirstMatchWins",
                     With(Rules{}, {},
                          {{MT_CLASSNAME, L"Other", 1},
                           {MT_WINDOWTEXT_REGEX, L"キーログ.*", 2},
                           {MT_CLASSNAME, kKeyLogClass64, 3},
                           {MT_CLASSNAME, kKeyLogClass32, 3}}),
                     true, 2, 2},
        DecisionCase{"Application_MinusOneSuppressesArchitecture",
                     With(Architecture(1, 2), {}, {{MT_CLASSNAME_REGEX, L"TolvKeyLog.*", -1}}), true, -1, -1},
        DecisionCase{"Application_LastSlotIsInRange", With(Rules{}, {}, {{MT_CLASSNAME_REGEX, L"Tolv.*", 3}}), true,
                     3, 3},
        DecisionCase{"Application_NumberOfSlotsIsOutOfRange",
                     With(Architecture(1, 2), {}, {{MT_CLASSNAME_REGEX, L"Tolv.*", 4}}), true, -1, -1},
        DecisionCase{"Application_FewerSlotsMakeANumberOutOfRange",
                     Slots(With(Rules{}, {}, {{MT_CLASSNAME, kKeyLogClass64, 2}, {MT_CLASSNAME, kKeyLogClass32, 1}}), 2), true,
                     -1, 1},
        DecisionCase{"Application_AppliesOn32BitSystem",
                     With(Architecture(1, 2), {}, {{MT_FILENAME_REGEX, L"TOLV_KEYLOG32.*", 0}}), false, -1, 0}),
    [](const ::testing::TestParamInfo<DecisionCase>& info) { return std::string(info.param.name); });

// A Store app stand-in: a frame of class "ApplicationFrameWindow" in this process
// hosting a "Windows.UI.Core.CoreWindow" owned by the key logger's process.
TEST(StoreAppDecisionTest, FileRulesSeeTheAppAndClassRulesSeeTheFrame)
{
    constexpr wchar_t kFrameClass[] = L"ApplicationFrameWindow";
    if (TolvTest::RegisterTestWindowClass(kFrameClass) == 0) {
        ASSERT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS)); // a repeated run
    }
    const HWND frame = TolvTest::CreateHiddenWindow(kFrameClass, L"電卓");
    ASSERT_NE(frame, nullptr);
    KeyLogProcess app(KeyLogBuild::Native, L"Windows.UI.Core.CoreWindow", L"app");
    ASSERT_NE(app.Window(), nullptr);
    ASSERT_NE(::SetParent(app.Window(), frame), nullptr);

    const TargetWindowInfo target = DescribeWindow(frame);
    const struct {
        const char* name;
        Rules rules;
        int expected;
    } cases[] = {
        {"FileNameOfTheApp", With(Rules{}, {}, {{MT_FILENAME_REGEX, L"tolv_keylog(\\.exe)?", 1}}), 1},
        {"FullPathOfTheApp", With(Rules{}, {}, {{MT_FULLPATH_REGEX, L".*\\\\tolv_keylog\\.exe", 2}}), 2},
        {"ClassOfTheFrame", With(Rules{}, {}, {{MT_CLASSNAME, kFrameClass, 3}}), 3},
        {"ClassOfTheAppWindowIsNotTheTarget",
         With(Rules{}, {}, {{MT_CLASSNAME, L"Windows.UI.Core.CoreWindow", 1}}), -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseImeNumber(target, Engine::RuleSnapshot(*MakeConfiguration(c.rules)), true), c.expected) << c.name;
    }
    ::DestroyWindow(frame);
}

// The OS's own description of real windows meets the same rules: the bitness
// from the process, the file name and path as the process reports them.
struct RealProcessCase {
    const char* name;
    KeyLogBuild build;
    int byArchitecture;
    EngineTest::Condition application;
    int byApplication;
};

void PrintTo(const RealProcessCase& c, std::ostream* out) { *out << c.name; }

class ChooseImeNumberOnRealProcessTest : public TolvTest::WithKeyLoggers<::testing::TestWithParam<RealProcessCase>> {};

TEST_P(ChooseImeNumberOnRealProcessTest, PicksTheSlotOfTheRules)
{
    const RealProcessCase& c = GetParam();
    KeyLogProcess* process = Logger(c.build);
    if (process == nullptr) {
        GTEST_SKIP() << TolvTest::kNo32BitKeyLogger;
    }
    ASSERT_NE(process->Window(), nullptr);
    const TargetWindowInfo target = DescribeWindow(process->Window());
    ASSERT_EQ(target.isWow64, c.build == KeyLogBuild::Wow64 ? TRUE : FALSE);

    EXPECT_EQ(ChooseImeNumber(target, Engine::RuleSnapshot(*MakeConfiguration(Architecture(1, 2))), true), c.byArchitecture);
    EXPECT_EQ(ChooseImeNumber(target, Engine::RuleSnapshot(*MakeConfiguration(With(Architecture(1, 2), {}, {c.application}))), true),
              c.byApplication);
}

INSTANTIATE_TEST_SUITE_P(
    Builds, ChooseImeNumberOnRealProcessTest,
    ::testing::Values(
        RealProcessCase{"Native64_ArchitectureThenFileName", KeyLogBuild::Native, 2,
                        {MT_FILENAME, L"tolv_keylog.exe", 3}, 3},
        RealProcessCase{"Wow64_ArchitectureThenPathPattern", KeyLogBuild::Wow64, 1,
                        {MT_FULLPATH_REGEX, L".*\\\\TOLV_KEYLOG32\\.EXE", 0}, 0}),
    [](const ::testing::TestParamInfo<RealProcessCase>& info) { return std::string(info.param.name); });

} // namespace
