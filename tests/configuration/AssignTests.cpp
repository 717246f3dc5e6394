// Copies of the settings are deep: the settings sheet edits a copy, and the
// live configuration takes the copy over with Assign.
#include <gtest/gtest.h>

#include "configuration/CLoader.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/flib/io/IniTestFiles.h"

namespace {

using namespace Configuration;

// Changes every group of a configuration away from the start-up values.
void EditEverything(CConfigurations& c)
{
    c.GetImes()->GetAt(0)->SetName(L"Edited");
    c.GetImes()->GetAt(0)->SetKeys(Flib::IO::Input::CKeys{0x11, 0x79});
    c.GetImes()->Add(std::make_unique<CIme>(L"Fifth", Flib::IO::Input::CKeys{0x19}));
    c.GetSystem()->SetType(ST_SENDINPUT_ALTFIRST);
    c.GetSystem()->SetProcessed(PP_NONE);
    c.GetSwitchOnApplication()->GetApplications()->Add(
        std::make_unique<CApplication4SwitchOnApplication>(MT_CLASSNAME, L"Notepad", 2));
    CSwitchOnArchitecture& architecture = *c.GetSwitchOnArchitecture();
    architecture.SetUse(1);
    architecture.Set32BitImeNumber(1);
    architecture.Set64BitImeNumber(3);
    architecture.GetIgnoreApplications()->GetAt(0)->SetExpression(L"other.exe");
    architecture.GetIgnoreApplications()->Remove(architecture.GetIgnoreApplications()->GetAt(1));
    c.GetNotify()->SetUse(0);
    c.GetNotify()->SetShowWindowText(0);
}

std::wstring SavedText(const CConfigurations& c)
{
    const TolvTest::TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    EXPECT_EQ(CLoader(path).Save(c), 1);
    return TolvTest::ReadText(path);
}

TEST(AssignTest, ChangingACopyLeavesTheSourceAlone)
{
    auto live = TolvTest::MakeStartupConfiguration();
    const std::wstring before = SavedText(*live);
    CConfigurations copy;
    copy.Assign(*live);
    EXPECT_EQ(SavedText(copy), before);

    EditEverything(copy);
    EXPECT_EQ(SavedText(*live), before);
    EXPECT_NE(SavedText(copy), before);
}

TEST(AssignTest, TheLiveConfigurationTakesTheCopysValuesAndKeepsThemAfterwards)
{
    auto live = TolvTest::MakeStartupConfiguration();
    CConfigurations copy;
    copy.Assign(*live);
    EditEverything(copy);
    const std::wstring edited = SavedText(copy);
    const CImes* oldImes = live->GetImes();

    live->Assign(copy);
    EXPECT_NE(live->GetImes(), oldImes) << "the groups are replaced, not shared";
    EXPECT_NE(live->GetImes(), copy.GetImes());
    EXPECT_EQ(SavedText(*live), edited);

    copy.GetImes()->GetAt(0)->SetName(L"Later");
    copy.GetSwitchOnApplication()->GetApplications()->Clear();
    copy.GetSwitchOnArchitecture()->GetIgnoreApplications()->GetAt(0)->SetMatchType(MT_FULLPATH);
    copy.GetNotify()->SetUse(1);
    EXPECT_EQ(SavedText(*live), edited);
    EXPECT_EQ(live->GetImes()->GetAt(0)->GetName(), L"Edited");
    EXPECT_EQ(live->GetSwitchOnApplication()->GetApplications()->GetAt(0)->GetImeNumber(), 2);
}

TEST(AssignTest, AssigningFromItselfKeepsTheValues)
{
    auto live = TolvTest::MakeStartupConfiguration();
    EditEverything(*live);
    const std::wstring before = SavedText(*live);
    live->Assign(*live);
    EXPECT_EQ(SavedText(*live), before);
}

TEST(AssignTest, CopiesKeepTheConditionKindsAndTheSystemFlag)
{
    auto live = TolvTest::MakeStartupConfiguration();
    live->GetSwitchOnApplication()->GetApplications()->Add(
        std::make_unique<CApplication4SwitchOnApplication>(MT_FILENAME_REGEX, L"a.*", 3));
    CConfigurations copy;
    copy.Assign(*live);

    const CApplications4SwitchOnApplication& applications = *copy.GetSwitchOnApplication()->GetApplications();
    ASSERT_EQ(applications.Count(), 1);
    ASSERT_NE(applications.GetAt(0), nullptr) << "a per-application condition stays one";
    EXPECT_EQ(applications.GetAt(0)->GetImeNumber(), 3);
    const CApplications4SwitchOnArchitecture& ignore = *copy.GetSwitchOnArchitecture()->GetIgnoreApplications();
    ASSERT_EQ(ignore.Count(), 2);
    EXPECT_NE(ignore.GetAt(1), nullptr);
    EXPECT_NE(ignore.GetAt(1), live->GetSwitchOnArchitecture()->GetIgnoreApplications()->GetAt(1));
    EXPECT_EQ(copy.GetSwitchOnArchitecture()->Is64BitSystem(), live->GetSwitchOnArchitecture()->Is64BitSystem());
}

} // namespace
