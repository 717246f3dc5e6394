// A table of small settings files against the model CLoader makes of them,
// starting, as tolv does, from the defaults plus the two built-in exclusions.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "configuration/CLoader.h"
#include "configuration/ListCount.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/flib/io/IniTestFiles.h"

namespace {

using namespace Configuration;

std::vector<int> KeysOf(const CIme& ime)
{
    std::vector<int> codes;
    for (const auto& key : ime.GetKeys()) {
        codes.push_back(key.GetCode());
    }
    return codes;
}

void ExpectDefaultImes(const CConfigurations& c)
{
    const CImes& imes = *c.GetImes();
    ASSERT_EQ(imes.Count(), 4);
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ(imes.GetAt(n)->GetName(), L"IME-" + std::to_wstring(n + 1));
        EXPECT_EQ(KeysOf(*imes.GetAt(n)), (std::vector<int>{0x12, 0x10, 0x31 + n}));
    }
}

void ExpectBuiltInExclusions(const CConfigurations& c)
{
    const CApplications4SwitchOnArchitecture& ignore = *c.GetSwitchOnArchitecture()->GetIgnoreApplications();
    ASSERT_EQ(ignore.Count(), 2);
    EXPECT_EQ(ignore.GetAt(0)->GetMatchType(), MT_FILENAME);
    EXPECT_EQ(ignore.GetAt(0)->GetExpression(), L"tolv.exe");
    EXPECT_EQ(ignore.GetAt(1)->GetMatchType(), MT_CLASSNAME);
    EXPECT_EQ(ignore.GetAt(1)->GetExpression(), L"Shell_TrayWnd");
}

void ExpectAllDefaults(const CConfigurations& c)
{
    ExpectDefaultImes(c);
    EXPECT_EQ(c.GetSystem()->GetType(), ST_SENDINPUT_SHIFTFIRST);
    EXPECT_EQ(c.GetSystem()->GetProcessed(), PP_WINDOWHANDLE);
    EXPECT_EQ(c.GetSwitchOnApplication()->GetApplications()->Count(), 0);
    const CSwitchOnArchitecture& architecture = *c.GetSwitchOnArchitecture();
    EXPECT_EQ(architecture.GetUse(), 0);
    EXPECT_EQ(architecture.Get32BitImeNumber(), 0);
    EXPECT_EQ(architecture.Get64BitImeNumber(), 0);
    ExpectBuiltInExclusions(c);
    const CNotify& notify = *c.GetNotify();
    const int flags[] = {notify.GetUse(),         notify.GetShowProcessId(),    notify.GetShowSubSystem(),
                         notify.GetShowFileName(),  notify.GetShowFullPath(),     notify.GetShowWindowHandle(),
                         notify.GetShowClassName(), notify.GetShowWindowText()};
    for (const int flag : flags) {
        EXPECT_EQ(flag, 1);
    }
}

struct LoadCase {
    const char* name;
    const wchar_t* lines; // the "key=value" lines of the section "General"
    void (*check)(const CConfigurations&);
};

const LoadCase kLoadCases[] = {
    {"OnlyVersion", L"Version=1.00", ExpectAllDefaults},
    {"VersionTwoReadsTheSame", L"Version=2.00", ExpectAllDefaults},
    {"EmptySection", L"", ExpectAllDefaults},

    // IME slots
    {"ImeElementsWithoutCountKeepTheDefaults", L"Ime[0].Name=Other\nIme[0].SendKeys.Count=1\nIme[0].SendKeys[0]=65",
     ExpectDefaultImes},
    {"ImeCountZeroEmptiesTheList", L"Ime.Count=0", [](const CConfigurations& c) { EXPECT_EQ(c.GetImes()->Count(), 0); }},
    {"ImeSlotWithoutNameIsSkipped",
     L"Ime.Count=3\nIme[0].Name=A\nIme[1].SendKeys.Count=1\nIme[1].SendKeys[0]=66\nIme[2].Name=C",
     [](const CConfigurations& c) {
         ASSERT_EQ(c.GetImes()->Count(), 2);
         EXPECT_EQ(c.GetImes()->GetAt(0)->GetName(), L"A");
         EXPECT_EQ(c.GetImes()->GetAt(1)->GetName(), L"C");
     }},
    {"ImeSlotWithEmptyNameIsSkipped", L"Ime.Count=2\nIme[0].Name=\nIme[1].Name=B",
     [](const CConfigurations& c) {
         ASSERT_EQ(c.GetImes()->Count(), 1);
         EXPECT_EQ(c.GetImes()->GetAt(0)->GetName(), L"B");
     }},
    {"KeyBytesZeroAndMultiplesOf256AreDropped",
     L"Ime.Count=1\nIme[0].Name=A\nIme[0].SendKeys.Count=4\nIme[0].SendKeys[0]=17\nIme[0].SendKeys[1]=0\n"
     L"Ime[0].SendKeys[2]=256\nIme[0].SendKeys[3]=65",
     [](const CConfigurations& c) {
         ASSERT_EQ(c.GetImes()->Count(), 1);
         EXPECT_EQ(KeysOf(*c.GetImes()->GetAt(0)), (std::vector<int>{17, 65}));
     }},
    {"KeyValuesKeepTheirLowByte",
     L"Ime.Count=1\nIme[0].Name=A\nIme[0].SendKeys.Count=3\nIme[0].SendKeys[0]=273\nIme[0].SendKeys[1]=-1\n"
     L"Ime[0].SendKeys[2]=255",
     [](const CConfigurations& c) {
         ASSERT_EQ(c.GetImes()->Count(), 1);
         EXPECT_EQ(KeysOf(*c.GetImes()->GetAt(0)), (std::vector<int>{17, 255, 255}));
     }},
    {"SendKeysCountBeyondTheStoredKeysSkipsTheMissingOnes",
     L"Ime.Count=1\nIme[0].Name=A\nIme[0].SendKeys.Count=5\nIme[0].SendKeys[1]=18\nIme[0].SendKeys[4]=49",
     [](const CConfigurations& c) {
         ASSERT_EQ(c.GetImes()->Count(), 1);
         EXPECT_EQ(KeysOf(*c.GetImes()->GetAt(0)), (std::vector<int>{18, 49}));
     }},
    {"SlotWithoutSendKeysHasANameAndNoKeys", L"Ime.Count=1\nIme[0].Name=A",
     [](const CConfigurations& c) {
         ASSERT_EQ(c.GetImes()->Count(), 1);
         EXPECT_TRUE(c.GetImes()->GetAt(0)->GetKeys().IsEmpty());
     }},

    // per-application list
    {"ApplicationCountMissingKeepsTheList", L"Application[0].Match=MT_CLASSNAME\nApplication[0].Expression=Notepad",
     [](const CConfigurations& c) { EXPECT_EQ(c.GetSwitchOnApplication()->GetApplications()->Count(), 0); }},
    {"SwitchOnApplicationKeysAreNeverRead",
     L"SwitchOnApplication.Count=1\nSwitchOnApplication[0].Match=MT_CLASSNAME\nSwitchOnApplication[0].Expression=x",
     [](const CConfigurations& c) { EXPECT_EQ(c.GetSwitchOnApplication()->GetApplications()->Count(), 0); }},
    {"ApplicationElementsAreReadInOrderWithDefaultsForMissingKeys",
     L"Application.Count=2\nApplication[0].Match=MT_FULLPATH_REGEX\nApplication[0].Expression=C:\\\\Tools\\\\.*\n"
     L"Application[0].ImeNumber=3",
     [](const CConfigurations& c) {
         const CApplications4SwitchOnApplication& list = *c.GetSwitchOnApplication()->GetApplications();
         ASSERT_EQ(list.Count(), 2);
         EXPECT_EQ(list.GetAt(0)->GetMatchType(), MT_FULLPATH_REGEX);
         EXPECT_EQ(list.GetAt(0)->GetExpression(), L"C:\\\\Tools\\\\.*");
         EXPECT_EQ(list.GetAt(0)->GetImeNumber(), 3);
         EXPECT_EQ(list.GetAt(1)->GetMatchType(), MT_FILENAME);
         EXPECT_EQ(list.GetAt(1)->GetExpression(), L"");
         EXPECT_EQ(list.GetAt(1)->GetImeNumber(), 0);
     }},
    {"MatchNamesAreCaseSensitiveAndExact",
     L"Application.Count=4\nApplication[0].Match=mt_filename\nApplication[1].Match=MT_WINDOWTEXT_REGEX\n"
     L"Application[2].Match=MT_TITLE\nApplication[3].Match=",
     [](const CConfigurations& c) {
         const CApplications4SwitchOnApplication& list = *c.GetSwitchOnApplication()->GetApplications();
         ASSERT_EQ(list.Count(), 4);
         EXPECT_EQ(list.GetAt(0)->GetMatchType(), kUnrecognisedMatchType);
         EXPECT_EQ(list.GetAt(1)->GetMatchType(), MT_WINDOWTEXT_REGEX);
         EXPECT_EQ(list.GetAt(2)->GetMatchType(), kUnrecognisedMatchType);
         EXPECT_EQ(list.GetAt(3)->GetMatchType(), kUnrecognisedMatchType) << "an empty value is not a missing key";
     }},
    {"ImeNumbersOutsideTheSlotsAreKept", L"Application.Count=2\nApplication[0].ImeNumber=-1\nApplication[1].ImeNumber=9",
     [](const CConfigurations& c) {
         const CApplications4SwitchOnApplication& list = *c.GetSwitchOnApplication()->GetApplications();
         ASSERT_EQ(list.Count(), 2);
         EXPECT_EQ(list.GetAt(0)->GetImeNumber(), -1);
         EXPECT_EQ(list.GetAt(1)->GetImeNumber(), 9);
     }},

    // 32/64-bit switching and its exclusions
    {"IgnoreApplicationCountMissingKeepsTheBuiltInExclusions", L"IgnoreApplication[0].Expression=other.exe",
     ExpectBuiltInExclusions},
    {"IgnoreApplicationCountZeroRemovesTheBuiltInExclusions", L"IgnoreApplication.Count=0",
     [](const CConfigurations& c) { EXPECT_EQ(c.GetSwitchOnArchitecture()->GetIgnoreApplications()->Count(), 0); }},
    {"IgnoreApplicationListReplacesTheBuiltInExclusions",
     L"IgnoreApplication.Count=1\nIgnoreApplication[0].Match=MT_WINDOWTEXT\nIgnoreApplication[0].Expression=Game",
     [](const CConfigurations& c) {
         const CApplications4SwitchOnArchitecture& list = *c.GetSwitchOnArchitecture()->GetIgnoreApplications();
         ASSERT_EQ(list.Count(), 1);
         EXPECT_EQ(list.GetAt(0)->GetMatchType(), MT_WINDOWTEXT);
         EXPECT_EQ(list.GetAt(0)->GetExpression(), L"Game");
     }},
    {"ArchitectureSwitchingValues",
     L"ArchitectureSwitching.Use=true\nArchitectureSwitching.32bit.ImeNumber=2\nArchitectureSwitching.64bit.ImeNumber=-1",
     [](const CConfigurations& c) {
         EXPECT_EQ(c.GetSwitchOnArchitecture()->GetUse(), 1);
         EXPECT_EQ(c.GetSwitchOnArchitecture()->Get32BitImeNumber(), 2);
         EXPECT_EQ(c.GetSwitchOnArchitecture()->Get64BitImeNumber(), -1);
     }},

    // system settings
    {"SendTypeAndPolicyNames", L"ImeSwitcher.Type=ST_SENDINPUT_CTRLFIRST\nImeSwitcher.Processed=PP_PROCESSID",
     [](const CConfigurations& c) {
         EXPECT_EQ(c.GetSystem()->GetType(), ST_SENDINPUT_CTRLFIRST);
         EXPECT_EQ(c.GetSystem()->GetProcessed(), PP_PROCESSID);
     }},
    {"LowerCaseSendTypeAndPolicyAreUnrecognised",
     L"ImeSwitcher.Type=st_sendinput_altfirst\nImeSwitcher.Processed=pp_none",
     [](const CConfigurations& c) {
         EXPECT_EQ(c.GetSystem()->GetType(), kUnrecognisedSendType);
         EXPECT_EQ(c.GetSystem()->GetProcessed(), kUnrecognisedProcessedPolicy);
     }},
    {"UnknownSendTypeAndPolicyAreUnrecognised", L"ImeSwitcher.Type=ST_SENDMESSAGE\nImeSwitcher.Processed=PP_ALWAYS",
     [](const CConfigurations& c) {
         EXPECT_EQ(c.GetSystem()->GetType(), 4);
         EXPECT_EQ(c.GetSystem()->GetProcessed(), 3);
     }},
    {"EmptySendTypeAndPolicyAreUnrecognised", L"ImeSwitcher.Type=\nImeSwitcher.Processed=",
     [](const CConfigurations& c) {
         EXPECT_EQ(c.GetSystem()->GetType(), kUnrecognisedSendType);
         EXPECT_EQ(c.GetSystem()->GetProcessed(), kUnrecognisedProcessedPolicy);
     }},

    // notification settings
    {"OlderUseKeyAloneDecides", L"PopupBalloonTips.Use=false",
     [](const CConfigurations& c) { EXPECT_EQ(c.GetNotify()->GetUse(), 0); }},
    {"PrefixedUseKeyWinsOverTheOlderOne", L"PopupBalloonTips.Use=false\nNotify.Use=true",
     [](const CConfigurations& c) { EXPECT_EQ(c.GetNotify()->GetUse(), 1); }},
    {"EmptyPrefixedUseFallsBackToTheOlderKey", L"PopupBalloonTips.Use=false\nNotify.Use=",
     [](const CConfigurations& c) { EXPECT_EQ(c.GetNotify()->GetUse(), 0); }},
    {"NotifyFlagsOtherThanTrueAreOff",
     L"Notify.Use=True\nNotify.ProcessId=false\nNotify.SubSystem=1\nNotify.ExcuteFileName=true\n"
     L"Notify.ExcuteFullPath=no\nNotify.WindowHandle=\nNotify.ClassName=false\nNotify.WindowText=TRUE",
     [](const CConfigurations& c) {
         const CNotify& n = *c.GetNotify();
         EXPECT_EQ(n.GetUse(), 0);
         EXPECT_EQ(n.GetShowProcessId(), 0);
         EXPECT_EQ(n.GetShowSubSystem(), 0);
         EXPECT_EQ(n.GetShowFileName(), 1);
         EXPECT_EQ(n.GetShowFullPath(), 0);
         EXPECT_EQ(n.GetShowWindowHandle(), 1) << "an empty value keeps the current flag";
         EXPECT_EQ(n.GetShowClassName(), 0);
         EXPECT_EQ(n.GetShowWindowText(), 0);
     }},

    // hand-edited numbers that are not numbers read as missing
    {"NonNumericCountsKeepTheLists",
     L"Ime.Count=four\nApplication.Count=1.5\nIgnoreApplication.Count=2x\nIgnoreApplication[0].Expression=x",
     [](const CConfigurations& c) {
         ExpectDefaultImes(c);
         EXPECT_EQ(c.GetSwitchOnApplication()->GetApplications()->Count(), 0);
         ExpectBuiltInExclusions(c);
     }},
    {"NonNumericNumbersTakeTheDefaults",
     L"Application.Count=1\nApplication[0].ImeNumber=two\nArchitectureSwitching.32bit.ImeNumber=1e3\n"
     L"ArchitectureSwitching.64bit.ImeNumber=99999999999\nIme.Count=1\nIme[0].Name=A\nIme[0].SendKeys.Count=2\n"
     L"Ime[0].SendKeys[0]=0x41\nIme[0].SendKeys[1]=66",
     [](const CConfigurations& c) {
         ASSERT_EQ(c.GetSwitchOnApplication()->GetApplications()->Count(), 1);
         EXPECT_EQ(c.GetSwitchOnApplication()->GetApplications()->GetAt(0)->GetImeNumber(), 0);
         EXPECT_EQ(c.GetSwitchOnArchitecture()->Get32BitImeNumber(), 0);
         EXPECT_EQ(c.GetSwitchOnArchitecture()->Get64BitImeNumber(), 0);
         ASSERT_EQ(c.GetImes()->Count(), 1);
         EXPECT_EQ(KeysOf(*c.GetImes()->GetAt(0)), (std::vector<int>{66}));
     }},
    {"NegativeSendKeysCountIsNoKeys", L"Ime.Count=1\nIme[0].Name=A\nIme[0].SendKeys.Count=-5\nIme[0].SendKeys[0]=65",
     [](const CConfigurations& c) {
         ASSERT_EQ(c.GetImes()->Count(), 1);
         EXPECT_EQ(c.GetImes()->GetAt(0)->GetName(), L"A");
         EXPECT_TRUE(c.GetImes()->GetAt(0)->GetKeys().IsEmpty());
     }},
    {"NegativeListCountsKeepTheLists", L"Ime.Count=-7\nApplication.Count=-2\nIgnoreApplication.Count=-1",
     [](const CConfigurations& c) {
         ExpectDefaultImes(c);
         ExpectBuiltInExclusions(c);
     }},
    {"HugeCountsAreCutToTheBound",
     L"Ime.Count=2147483647\nIme[0].Name=A\nIme[0].SendKeys.Count=2000000000\nIme[0].SendKeys[0]=65\n"
     L"Application.Count=99999999\nApplication[1023].Expression=last\nApplication[1024].Expression=beyond\n"
     L"IgnoreApplication.Count=1025",
     [](const CConfigurations& c) {
         ASSERT_EQ(c.GetImes()->Count(), 1);
         EXPECT_EQ(KeysOf(*c.GetImes()->GetAt(0)), (std::vector<int>{65}));
         const CApplications4SwitchOnApplication& list = *c.GetSwitchOnApplication()->GetApplications();
         ASSERT_EQ(list.Count(), kMaxListCount);
         EXPECT_EQ(list.GetAt(kMaxListCount - 1)->GetExpression(), L"last");
         EXPECT_EQ(c.GetSwitchOnArchitecture()->GetIgnoreApplications()->Count(), kMaxListCount);
     }},
    {"ACountAtTheBoundIsReadWhole", L"Ime.Count=1024\nIme[1023].Name=Last",
     [](const CConfigurations& c) {
         ASSERT_EQ(c.GetImes()->Count(), 1);
         EXPECT_EQ(c.GetImes()->GetAt(0)->GetName(), L"Last");
     }},
    {"ASendKeysCountAtTheBoundIsReadWhole",
     L"Ime.Count=1\nIme[0].Name=A\nIme[0].SendKeys.Count=1024\nIme[0].SendKeys[1023]=90\nIme[0].SendKeys[1024]=91",
     [](const CConfigurations& c) {
         ASSERT_EQ(c.GetImes()->Count(), 1);
         EXPECT_EQ(KeysOf(*c.GetImes()->GetAt(0)), (std::vector<int>{90}));
     }},
};

void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.name; }

class LoadTableTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadTableTest, FileGivesModel)
{
    const TolvTest::TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    TolvTest::WriteUtf16File(path, TolvTest::GeneralSection(GetParam().lines));
    auto configuration = TolvTest::MakeStartupConfiguration();
    ASSERT_EQ(CLoader(path).Load(*configuration), 1);
    GetParam().check(*configuration);
}

INSTANTIATE_TEST_SUITE_P(Files, LoadTableTest, ::testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
