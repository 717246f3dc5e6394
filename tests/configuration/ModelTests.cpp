// The model without a file: defaults, list ownership, conversions.
#include <gtest/gtest.h>

#include <windows.h>

#include "configuration/CConfigurations.h"
#include "configuration/MatchType.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"
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

TEST(MatchTypeTest, NamesRoundTripAndEverythingElseIsUnrecognised)
{
    for (int value = MT_FILENAME; value <= MT_WINDOWTEXT_REGEX; ++value) {
        const auto type = static_cast<MatchType>(value);
        EXPECT_EQ(MatchTypeFromName(MatchTypeToName(type)), type);
    }
    EXPECT_EQ(MatchTypeToName(kUnrecognisedMatchType), L"");
    EXPECT_EQ(MatchTypeToName(static_cast<MatchType>(8)), L"");
    EXPECT_EQ(MatchTypeFromName(L"MT_FILENAME "), kUnrecognisedMatchType);
    EXPECT_EQ(MatchTypeFromName(L""), kUnrecognisedMatchType);
}

TEST(MatchTypeTest, DisplayNamesComeFromTheStringTable)
{
    const wchar_t* const expected[] = {
        L"実行ファイル名",           L"実行ファイル名【正規表現】",
        L"実行ファイル名(フルパス)", L"実行ファイル名(フルパス)【正規表現】",
        L"ウィンドウ クラス名",      L"ウィンドウ クラス名【正規表現】",
        L"ウィンドウ タイトル",      L"ウィンドウ タイトル【正規表現】",
    };
    for (int value = 0; value < 8; ++value) {
        const unsigned int id = MatchTypeToStringId(static_cast<MatchType>(value));
        EXPECT_EQ(id, 50201u + static_cast<unsigned int>(value));
        std::wstring text;
        Flib::Windows::Window::LoadResourceString(::GetModuleHandleW(nullptr), id, text);
        EXPECT_EQ(text, expected[value]);
    }
    EXPECT_EQ(MatchTypeToStringId(kUnrecognisedMatchType), 0u);
}

} // namespace
