// The system and notification pages inside the real sheet: what they show for
// the stored settings and what OK stores from the buttons and boxes.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "configuration/CConfigurations.h"
#include "flib/io/CIniFile.h"
#include "resources/ResourceIds.h"
#include "tests/app/settings/SheetDriver.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/flib/io/IniTestFiles.h"

namespace {

using namespace Configuration;
using Flib::IO::File::CIniFile;
using TolvTest::Click;
using TolvTest::IsItemEnabled;
using TolvTest::IsTicked;
using TolvTest::OpenSheet;

constexpr int kSystemTab = 1;
constexpr int kNotifyTab = 4;
constexpr int kSendButtons[] = {IDC_SEND_ALTFIRST, IDC_SEND_CTRLFIRST, IDC_SEND_SHIFTFIRST};
constexpr int kProcessedButtons[] = {IDC_PROCESSED_WINDOWHANDLE, IDC_PROCESSED_PROCESSID, IDC_PROCESSED_NONE};

// The one ticked button of a group, 0 for none (and -1 for more than one).
template <size_t N>
int TickedButton(HWND page, const int (&buttons)[N])
{
    int ticked = 0;
    for (const int id : buttons) {
        if (IsTicked(page, id)) {
            ticked = ticked == 0 ? id : -1;
        }
    }
    return ticked;
}

// Stored values, the buttons the page shows for them, and what OK keeps when nothing is clicked.
struct StoredCase {
    const char* name;
    SendType type;
    ProcessedPolicy policy;
    int sendButton;
    int processedButton;
};

class SystemPageShowTest : public ::testing::TestWithParam<StoredCase> {};

TEST_P(SystemPageShowTest, SelectsTheButtonOfEachStoredValueAndOkKeepsValuesWithoutOne)
{
    const StoredCase& c = GetParam();
    CConfigurations live;
    live.GetSystem()->SetType(c.type);
    live.GetSystem()->SetProcessed(c.policy);
    OpenSheet sheet(live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    HWND page = sheet.ShowPage(kSystemTab);
    EXPECT_EQ(TickedButton(page, kSendButtons), c.sendButton);
    EXPECT_EQ(TickedButton(page, kProcessedButtons), c.processedButton);
    sheet.PressOk();
    ASSERT_TRUE(sheet.Closed());
    EXPECT_EQ(live.GetSystem()->GetType(), c.type);
    EXPECT_EQ(live.GetSystem()->GetProcessed(), c.policy);
}

INSTANTIATE_TEST_SUITE_P(
    Stored, SystemPageShowTest,
    ::testing::Values(
        StoredCase{"Defaults", ST_SENDINPUT_SHIFTFIRST, PP_WINDOWHANDLE, IDC_SEND_SHIFTFIRST, IDC_PROCESSED_WINDOWHANDLE},
        StoredCase{"AltFirstByProcess", ST_SENDINPUT_ALTFIRST, PP_PROCESSID, IDC_SEND_ALTFIRST, IDC_PROCESSED_PROCESSID},
        StoredCase{"CtrlFirstNoMemory", ST_SENDINPUT_CTRLFIRST, PP_NONE, IDC_SEND_CTRLFIRST, IDC_PROCESSED_NONE},
        StoredCase{"KeyboardStateHasNoButton", ST_SETKEYBOARDSTATE, PP_WINDOWHANDLE, 0, IDC_PROCESSED_WINDOWHANDLE},
        StoredCase{"UnrecognisedValues", kUnrecognisedSendType, kUnrecognisedProcessedPolicy, 0, 0}),
    [](const ::testing::TestParamInfo<StoredCase>& info) { return info.param.name; });

TEST(SystemPageTest, OkStoresTheValueOfTheClickedButtons)
{
    struct Case {
        int sendButton;
        SendType type;
        int processedButton;
        ProcessedPolicy policy;
    };
    const Case cases[] = {
        {IDC_SEND_CTRLFIRST, ST_SENDINPUT_CTRLFIRST, IDC_PROCESSED_NONE, PP_NONE},
        {IDC_SEND_SHIFTFIRST, ST_SENDINPUT_SHIFTFIRST, IDC_PROCESSED_PROCESSID, PP_PROCESSID},
        {IDC_SEND_ALTFIRST, ST_SENDINPUT_ALTFIRST, IDC_PROCESSED_WINDOWHANDLE, PP_WINDOWHANDLE},
    };
    for (const Case& c : cases) {
        CConfigurations live;
        live.GetSystem()->SetType(ST_SETKEYBOARDSTATE);
        live.GetSystem()->SetProcessed(kUnrecognisedProcessedPolicy);
        OpenSheet sheet(live);
        ASSERT_NE(sheet.Sheet(), nullptr);
        HWND page = sheet.ShowPage(kSystemTab);
        Click(page, c.sendButton);
        Click(page, c.processedButton);
        EXPECT_EQ(TickedButton(page, kSendButtons), c.sendButton);
        sheet.PressOk();
        ASSERT_TRUE(sheet.Closed());
        EXPECT_EQ(live.GetSystem()->GetType(), c.type) << "button " << c.sendButton;
        EXPECT_EQ(live.GetSystem()->GetProcessed(), c.policy) << "button " << c.processedButton;
    }
}

// The eight boxes and the keys their flags have in the settings file, balloon
// switch first: the pairing the user sees, stated apart from the page's own table.
struct NotifyBox {
    int id;
    const wchar_t* key;
};
const NotifyBox kNotifyBoxes[] = {
    {IDC_NOTIFY_USE, L"Notify.Use"},
    {IDC_NOTIFY_SUBSYSTEM, L"Notify.SubSystem"},
    {IDC_NOTIFY_PROCESSID, L"Notify.ProcessId"},
    {IDC_NOTIFY_FILENAME, L"Notify.ExcuteFileName"},
    {IDC_NOTIFY_FULLPATH, L"Notify.ExcuteFullPath"},
    {IDC_NOTIFY_WINDOWHANDLE, L"Notify.WindowHandle"},
    {IDC_NOTIFY_CLASSNAME, L"Notify.ClassName"},
    {IDC_NOTIFY_WINDOWTEXT, L"Notify.WindowText"},
};

// The flags as a save writes them, key by key: 1 for "true", 0 for "false", -1 for anything else.
std::vector<int> Flags(const CNotify& notify)
{
    TolvTest::TempFolder folder;
    const std::wstring path = folder.File(L"notify.ini");
    CIniFile ini;
    ini.Open(path, false, true);
    notify.Save(ini, L"Notify");
    ini.Close();
    std::vector<int> flags;
    for (const NotifyBox& box : kNotifyBoxes) {
        wchar_t value[16] = {};
        ::GetPrivateProfileStringW(L"General", box.key, L"", value, 16, path.c_str());
        flags.push_back(std::wstring(value) == L"true" ? 1 : std::wstring(value) == L"false" ? 0 : -1);
    }
    return flags;
}

// Loads the flags from a file that holds only box `on`'s key as "true", the others as "false".
void LoadOnlyFlag(CNotify& notify, size_t on)
{
    std::wstring lines;
    for (size_t f = 0; f < std::size(kNotifyBoxes); ++f) {
        lines += std::wstring(kNotifyBoxes[f].key) + (f == on ? L"=true\n" : L"=false\n");
    }
    TolvTest::TempFolder folder;
    const std::wstring path = folder.File(L"notify.ini");
    TolvTest::WriteUtf16File(path, TolvTest::GeneralSection(lines));
    CIniFile ini;
    ini.Open(path, true, false);
    notify.Load(ini, L"Notify");
    ini.Close();
}

std::vector<int> Ticks(HWND page)
{
    std::vector<int> ticks;
    for (const NotifyBox& box : kNotifyBoxes) {
        ticks.push_back(IsTicked(page, box.id) ? 1 : 0);
    }
    return ticks;
}

TEST(NotifyPageTest, EachBoxShowsAndStoresItsOwnFlag)
{
    // One flag on at a time: a box wired to the wrong flag shows or stores the wrong one.
    for (size_t on = 0; on < std::size(kNotifyBoxes); ++on) {
        CConfigurations live;
        LoadOnlyFlag(*live.GetNotify(), on);
        std::vector<int> loaded(std::size(kNotifyBoxes), 0);
        loaded[on] = 1;
        ASSERT_EQ(Flags(*live.GetNotify()), loaded) << "flag " << on << " on";
        OpenSheet sheet(live);
        ASSERT_NE(sheet.Sheet(), nullptr);
        HWND page = sheet.ShowPage(kNotifyTab);
        EXPECT_EQ(Ticks(page), loaded) << "flag " << on << " on";
        // Move the tick to the next box and confirm.
        const size_t next = (on + 1) % std::size(kNotifyBoxes);
        Click(page, kNotifyBoxes[on].id);
        Click(page, kNotifyBoxes[next].id);
        sheet.PressOk();
        ASSERT_TRUE(sheet.Closed());
        std::vector<int> expected(std::size(kNotifyBoxes), 0);
        expected[next] = 1;
        EXPECT_EQ(Flags(*live.GetNotify()), expected) << "tick moved from " << on << " to " << next;
    }
}

TEST(NotifyPageTest, DefaultsOpenWithEveryBoxTickedAndEnabled)
{
    CConfigurations live;
    OpenSheet sheet(live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    HWND page = sheet.ShowPage(kNotifyTab);
    EXPECT_EQ(Ticks(page), std::vector<int>(std::size(kNotifyBoxes), 1));
    for (const NotifyBox& box : kNotifyBoxes) {
        EXPECT_TRUE(IsItemEnabled(page, box.id)) << box.id;
    }
    sheet.PressCancel();
    ASSERT_TRUE(sheet.Closed());
}

TEST(NotifyPageTest, BalloonSwitchEnablesTheItemBoxesWhichKeepTheirTicksAndAreStoredWhenDisabled)
{
    CConfigurations live;
    CNotify& notify = *live.GetNotify();
    notify.SetUse(0);
    notify.SetShowProcessId(0);
    notify.SetShowWindowText(0);
    const std::vector<int> stored = Flags(notify);
    OpenSheet sheet(live);
    ASSERT_NE(sheet.Sheet(), nullptr);
    HWND page = sheet.ShowPage(kNotifyTab);

    auto itemsEnabled = [&](bool enabled) {
        for (size_t f = 1; f < std::size(kNotifyBoxes); ++f) {
            if (IsItemEnabled(page, kNotifyBoxes[f].id) != enabled) {
                return false;
            }
        }
        return true;
    };
    // Balloons off: the item boxes open disabled, as the balloon switch says.
    EXPECT_TRUE(itemsEnabled(false));
    EXPECT_EQ(Ticks(page), stored);
    Click(page, IDC_NOTIFY_USE);
    EXPECT_TRUE(IsTicked(page, IDC_NOTIFY_USE));
    EXPECT_TRUE(itemsEnabled(true));
    Click(page, IDC_NOTIFY_PROCESSID);
    Click(page, IDC_NOTIFY_USE);
    EXPECT_FALSE(IsTicked(page, IDC_NOTIFY_USE));
    EXPECT_TRUE(itemsEnabled(false));
    std::vector<int> expected = stored;
    expected[2] = 1; // the process id box, ticked while it was enabled
    EXPECT_EQ(Ticks(page), expected) << "switching balloons changed the item ticks";

    // OK with the item boxes disabled still stores their ticks.
    sheet.PressOk();
    ASSERT_TRUE(sheet.Closed());
    EXPECT_EQ(Flags(*live.GetNotify()), expected);
}

} // namespace
