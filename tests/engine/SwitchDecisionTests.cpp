// The slot the rules choose for real windows of real 64-bit and 32-bit processes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/SwitchDecision.h"
#include "tests/engine/EngineTestRules.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/TestWindows.h"

namespace {

using namespace Configuration;
using Engine::ChooseImeNumber;
using Engine::TargetWindowInfo;
using Engine::DescribeWindow;
using EngineTest::MakeConfiguration;
using EngineTest::Rules;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;

constexpr const wchar_t* kClass64 = L"TolvRuleTarget64";
constexpr const wchar_t* kClass32 = L"TolvRuleTarget32";

struct DecisionCase {
    const char* name;
    Rules rules;
    bool is64BitSystem;
    int expected64; // for the native key logger
    int expected32; // for the WOW64 key logger
};

void PrintTo(const DecisionCase& c, std::ostream* out) { *out << c.name; }

// One process of each bitness for the whole suite: starting one costs far more than a case.
class ChooseImeNumberTest : public ::testing::TestWithParam<DecisionCase> {
protected:
    static void SetUpTestSuite()
    {
        native = new KeyLogProcess(KeyLogBuild::Native, kClass64, L"ルール 64");
#ifdef TOLV_HAVE_KEYLOG32
        wow64 = new KeyLogProcess(KeyLogBuild::Wow64, kClass32, L"ルール 32");
#endif
    }
    static void TearDownTestSuite()
    {
        delete native;
        delete wow64;
        native = wow64 = nullptr;
    }

    static KeyLogProcess* native;
    static KeyLogProcess* wow64;
};

KeyLogProcess* ChooseImeNumberTest::native = nullptr;
KeyLogProcess* ChooseImeNumberTest::wow64 = nullptr;

TEST_P(ChooseImeNumberTest, PicksTheSlotOfTheRules)
{
    const DecisionCase& c = GetParam();
    const auto configuration = MakeConfiguration(c.rules);

    ASSERT_NE(native->Window(), nullptr);
    const TargetWindowInfo target64 = DescribeWindow(native->Window());
    ASSERT_FALSE(target64.isWow64);
    EXPECT_EQ(ChooseImeNumber(target64, *configuration, c.is64BitSystem), c.expected64) << "native process";

    if (wow64 == nullptr) {
        GTEST_SKIP() << "the 32-bit key logger was not built (no 32-bit compiler, or a kernel that runs no 32-bit programs)";
    }
    ASSERT_NE(wow64->Window(), nullptr);
    const TargetWindowInfo target32 = DescribeWindow(wow64->Window());
    ASSERT_TRUE(target32.isWow64);
    EXPECT_EQ(ChooseImeNumber(target32, *configuration, c.is64BitSystem), c.expected32) << "WOW64 process";
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
                     With(Architecture(1, 2), {{MT_CLASSNAME, kClass64, 0}}, {}), true, -1, 1},
        DecisionCase{"Architecture_ExclusionByPathPattern",
                     With(Architecture(1, 2), {{MT_FULLPATH_REGEX, L".*\\\\TOLV_KEYLOG32\\.EXE", 0}}, {}), true, 2,
                     -1},
        DecisionCase{"Architecture_OutOfRangeNumberSendsNothing", Architecture(4, -1), true, -1, -1},
        DecisionCase{"Application_OverridesArchitecture",
                     With(Architecture(1, 2), {}, {{MT_FILENAME, L"tolv_keylog.exe", 3}}), true, 3, 1},
        DecisionCase{"Application_WinsOverExclusion",
                     With(Architecture(1, 2), {{MT_CLASSNAME_REGEX, L"TolvRuleTarget.*", 0}},
                          {{MT_WINDOWTEXT, L"ルール 64", 0}}),
                     true, 0, -1},
        DecisionCase{"Application_FirstMatchWins",
                     With(Rules{}, {},
                          {{MT_CLASSNAME, L"Other", 1},
                           {MT_WINDOWTEXT_REGEX, L"ルール.*", 2},
                           {MT_CLASSNAME, kClass64, 3},
                           {MT_CLASSNAME, kClass32, 3}}),
                     true, 2, 2},
        DecisionCase{"Application_MinusOneSuppressesArchitecture",
                     With(Architecture(1, 2), {}, {{MT_CLASSNAME_REGEX, L"TolvRuleTarget.*", -1}}), true, -1, -1},
        DecisionCase{"Application_LastSlotIsInRange", With(Rules{}, {}, {{MT_CLASSNAME_REGEX, L"Tolv.*", 3}}), true,
                     3, 3},
        DecisionCase{"Application_NumberOfSlotsIsOutOfRange",
                     With(Architecture(1, 2), {}, {{MT_CLASSNAME_REGEX, L"Tolv.*", 4}}), true, -1, -1},
        DecisionCase{"Application_FewerSlotsMakeANumberOutOfRange",
                     Slots(With(Rules{}, {}, {{MT_CLASSNAME, kClass64, 2}, {MT_CLASSNAME, kClass32, 1}}), 2), true,
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
        EXPECT_EQ(ChooseImeNumber(target, *MakeConfiguration(c.rules), true), c.expected) << c.name;
    }
    ::DestroyWindow(frame);
}

} // namespace
