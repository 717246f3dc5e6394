// The Run entry that starts tolv at logon, read and written in the real registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "app/StartWithWindows.h"
#include "tests/support/RunEntry.h"

namespace {

using Tolv::StartWithWindows;
using TolvTest::ReadRunEntry;

const std::wstring kProgram = L"C:\\Tools\\トルヴ 1.0\\tolv.exe";
const std::wstring kQuoted = L"\"" + kProgram + L"\"";

struct EntryCase {
    const char* name;
    std::optional<std::wstring> before;
    bool on;                            // the menu item shows checked
    std::optional<std::wstring> after; // the entry once the item is chosen
};

void PrintTo(const EntryCase& c, std::ostream* out) { *out << c.name; }

class StartWithWindowsTest : public ::testing::TestWithParam<EntryCase> {
protected:
    TolvTest::RunEntryGuard guard;
};

TEST_P(StartWithWindowsTest, ShowsWhetherTheEntryStartsThisProgramAndChoosingTurnsItOverOrRewritesIt)
{
    const EntryCase& c = GetParam();
    if (c.before) {
        TolvTest::WriteRunEntry(*c.before);
    }
    const StartWithWindows entry(kProgram);
    EXPECT_EQ(entry.IsOn(), c.on);
    EXPECT_TRUE(entry.Toggle());
    EXPECT_EQ(ReadRunEntry(), c.after);
    EXPECT_EQ(entry.IsOn(), !c.on);
}

const EntryCase kEntryCases[] = {
    {"None_IsWritten", std::nullopt, false, kQuoted},
    {"ThisProgram_IsRemoved", kQuoted, true, std::nullopt},
    {"ThisProgramInOtherCase_IsRemoved", L"\"C:\\TOOLS\\トルヴ 1.0\\TOLV.EXE\"", true, std::nullopt},
    {"ThisProgramWithAnArgument_IsRemoved", kQuoted + L" /background", true, std::nullopt},
    {"ThisProgramUnquoted_IsRemoved", L"  " + kProgram + L" ", true, std::nullopt},
    {"MovedProgram_IsRewritten", L"\"C:\\Program Files\\tolv\\tolv.exe\"", false, kQuoted},
    {"OtherProgramInTheSameFolder_IsRewritten", L"\"C:\\Tools\\トルヴ 1.0\\tolv.exe.old\"", false, kQuoted},
    {"Empty_IsRewritten", L"", false, kQuoted},
};

INSTANTIATE_TEST_SUITE_P(Entries, StartWithWindowsTest, ::testing::ValuesIn(kEntryCases),
                         [](const ::testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

// Entries written by installers or by hand often name the folder through a variable.
TEST(StartWithWindowsExpandTest, AnEntryWithAVariableNamesThePathItExpandsTo)
{
    TolvTest::RunEntryGuard guard;
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TOLV_TEST_TOOLS", L"C:\\Tools\\トルヴ 1.0"));
    const std::wstring entry = L"\"%TOLV_TEST_TOOLS%\\tolv.exe\"";
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, StartWithWindows::kRunKey, StartWithWindows::kValueName,
                                REG_EXPAND_SZ, entry.c_str(), static_cast<DWORD>((entry.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    EXPECT_TRUE(StartWithWindows(kProgram).IsOn());
    EXPECT_FALSE(StartWithWindows(L"C:\\Program Files\\tolv\\tolv.exe").IsOn());
    ::SetEnvironmentVariableW(L"TOLV_TEST_TOOLS", nullptr);
}

TEST(StartWithWindowsEmptyPathTest, WritesNothingForAProgramWithoutAPath)
{
    TolvTest::RunEntryGuard guard;
    EXPECT_FALSE(StartWithWindows(L"").TurnOn());
    EXPECT_FALSE(ReadRunEntry().has_value());
}

TEST(StartWithWindowsCommandTest, QuotesThePathSoThatItsBlanksStartNoArgument)
{
    EXPECT_EQ(StartWithWindows::CommandFor(L"C:\\Program Files\\tolv\\tolv.exe"),
              L"\"C:\\Program Files\\tolv\\tolv.exe\"");
}

} // namespace
