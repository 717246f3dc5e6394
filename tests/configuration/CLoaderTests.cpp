// CLoader on real files: the first save, folder creation, unusable paths.
#include <gtest/gtest.h>

#include <windows.h>

#include "configuration/CLoader.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/flib/io/IniTestFiles.h"

namespace {

using namespace Configuration;
using TolvTest::GeneralSection;
using TolvTest::ReadBytes;
using TolvTest::ReadText;
using TolvTest::TempFolder;
using TolvTest::WriteBytes;
using TolvTest::WriteUtf16File;

// The lines of the file after its "[General]" header, one "key=value" each.
std::wstring LinesOf(const std::wstring& path)
{
    std::wstring text = ReadText(path);
    const std::wstring header = L"[General]\r\n";
    return text.compare(0, header.size(), header) == 0 ? text.substr(header.size()) : text;
}

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

TEST(CLoaderTest, FirstRunCreatesTheFoldersAndTheFirstSaveWritesEveryDefaultInOrder)
{
    const TempFolder temp;
    const std::wstring path = temp.Path() + L"\\Orvane-Works\\tolv\\tolv.ini";
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();

    ASSERT_EQ(loader.Load(*configuration), 1);
    EXPECT_NE(::GetFileAttributesW((temp.Path() + L"\\Orvane-Works\\tolv").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "loading must not create the file";

    ASSERT_EQ(loader.Save(*configuration), 1);
    EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE") << "a new file is UTF-16LE with a byte-order mark";
    EXPECT_EQ(ReadText(path), GeneralSection(TolvTest::DefaultFileLines()));
}

TEST(CLoaderTest, AnotherVersionLoadsLikeAnEmptyFileAndIsSavedAsTheCurrentOne)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    WriteUtf16File(path, L"[General]\r\nVersion=2.00\r\n");
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    ASSERT_EQ(loader.Load(*configuration), 1);
    ASSERT_EQ(loader.Save(*configuration), 1);
    EXPECT_EQ(ReadText(path), GeneralSection(TolvTest::DefaultFileLines()));
}

TEST(CLoaderTest, TheOlderUseKeyIsLeftInPlaceAndItsValueSavedUnderTheNewKey)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    WriteUtf16File(path, L"[General]\r\nPopupBalloonTips.Use=false\r\n");
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    ASSERT_EQ(loader.Load(*configuration), 1);
    ASSERT_EQ(loader.Save(*configuration), 1);
    const std::wstring lines = LinesOf(path);
    EXPECT_EQ(lines.find(L"PopupBalloonTips.Use=false\r\n"), 0u);
    EXPECT_TRUE(Contains(lines, L"\r\nNotify.Use=false\r\n"));
}

TEST(CLoaderTest, JapaneseNamesAndExpressionsSurviveSaveAndReload)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    const std::wstring slotName = L"Microsoft IME (日本語入力)";
    const std::wstring title = L"無題 - メモ帳【編集中】 café";
    CLoader loader(path);
    {
        auto configuration = TolvTest::MakeStartupConfiguration();
        configuration->GetImes()->GetAt(1)->SetName(slotName);
        configuration->GetSwitchOnApplication()->GetApplications()->Add(
            std::make_unique<CApplication4SwitchOnApplication>(MT_WINDOWTEXT, title, 1));
        ASSERT_EQ(loader.Save(*configuration), 1);
    }
    auto reloaded = TolvTest::MakeStartupConfiguration();
    ASSERT_EQ(loader.Load(*reloaded), 1);
    EXPECT_EQ(reloaded->GetImes()->GetAt(1)->GetName(), slotName);
    const CApplications4SwitchOnApplication& list = *reloaded->GetSwitchOnApplication()->GetApplications();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetAt(0)->GetMatchType(), MT_WINDOWTEXT);
    EXPECT_EQ(list.GetAt(0)->GetExpression(), title);
    EXPECT_EQ(list.GetAt(0)->GetImeNumber(), 1);
}

TEST(CLoaderTest, UnrecognisedNamesAreSavedAsEmptyTextAndLoadTheSameAgain)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    WriteUtf16File(path, GeneralSection(L"ImeSwitcher.Type=st_sendinput_altfirst\nImeSwitcher.Processed=PP_SOMETIMES\n"
                                        L"IgnoreApplication.Count=1\nIgnoreApplication[0].Match=MT_Classname\n"
                                        L"IgnoreApplication[0].Expression=Shell_TrayWnd"));
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    ASSERT_EQ(loader.Load(*configuration), 1);
    ASSERT_EQ(loader.Save(*configuration), 1);
    const std::wstring lines = ReadText(path);
    EXPECT_TRUE(Contains(lines, L"\r\nImeSwitcher.Type=\r\nImeSwitcher.Processed=\r\n"));
    EXPECT_TRUE(Contains(lines, L"\r\nIgnoreApplication[0].Match=\r\nIgnoreApplication[0].Expression=Shell_TrayWnd\r\n"));

    auto reloaded = TolvTest::MakeStartupConfiguration();
    ASSERT_EQ(loader.Load(*reloaded), 1);
    EXPECT_EQ(reloaded->GetSystem()->GetType(), kUnrecognisedSendType);
    EXPECT_EQ(reloaded->GetSystem()->GetProcessed(), kUnrecognisedProcessedPolicy);
    ASSERT_EQ(reloaded->GetSwitchOnArchitecture()->GetIgnoreApplications()->Count(), 1);
    EXPECT_EQ(reloaded->GetSwitchOnArchitecture()->GetIgnoreApplications()->GetAt(0)->GetMatchType(),
              kUnrecognisedMatchType);
}

TEST(CLoaderTest, AShrunkListLeavesItsStaleKeysAndReloadsShort)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    CApplications4SwitchOnApplication& list = *configuration->GetSwitchOnApplication()->GetApplications();
    list.Add(std::make_unique<CApplication4SwitchOnApplication>(MT_FILENAME, L"first.exe", 0));
    list.Add(std::make_unique<CApplication4SwitchOnApplication>(MT_CLASSNAME, L"Second", 1));
    list.Add(std::make_unique<CApplication4SwitchOnApplication>(MT_WINDOWTEXT_REGEX, L"Third.*", 2));
    ASSERT_EQ(loader.Save(*configuration), 1);

    EXPECT_EQ(list.Remove(list.GetAt(2)), 1);
    EXPECT_EQ(list.Remove(list.GetAt(1)), 1);
    ASSERT_EQ(loader.Save(*configuration), 1);

    const std::wstring lines = LinesOf(path);
    EXPECT_TRUE(Contains(lines, L"\r\nApplication.Count=1\r\n"));
    EXPECT_TRUE(Contains(lines, L"\r\nApplication[1].Expression=Second\r\n"));
    EXPECT_TRUE(Contains(lines, L"\r\nApplication[2].Expression=Third.*\r\n"));

    auto reloaded = TolvTest::MakeStartupConfiguration();
    ASSERT_EQ(loader.Load(*reloaded), 1);
    const CApplications4SwitchOnApplication& read = *reloaded->GetSwitchOnApplication()->GetApplications();
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.GetAt(0)->GetExpression(), L"first.exe");
}

TEST(CLoaderTest, ADirectoryAtThePathIsNeitherReadNorWritten)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr));
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    configuration->GetSystem()->SetType(ST_SENDINPUT_CTRLFIRST);
    EXPECT_EQ(loader.Load(*configuration), 0);
    EXPECT_EQ(configuration->GetSystem()->GetType(), ST_SENDINPUT_CTRLFIRST);
    EXPECT_EQ(loader.Save(*configuration), 0);
    EXPECT_NE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(CLoaderTest, AReadOnlyOrLockedFileIsReadButNotWritten)
{
    const TempFolder temp;
    const std::string content = "[General]\r\nVersion=1.00\r\nImeSwitcher.Type=ST_SENDINPUT_ALTFIRST\r\n";
    const std::wstring readOnly = temp.File(L"read-only.ini");
    WriteBytes(readOnly, content);
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::wstring locked = temp.File(L"locked.ini");
    WriteBytes(locked, content);
    const HANDLE lock =
        ::CreateFileW(locked.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    for (const std::wstring& path : {readOnly, locked}) {
        CLoader loader(path);
        auto configuration = TolvTest::MakeStartupConfiguration();
        EXPECT_EQ(loader.Load(*configuration), 1);
        EXPECT_EQ(configuration->GetSystem()->GetType(), ST_SENDINPUT_ALTFIRST);
        configuration->GetSystem()->SetType(ST_SENDINPUT_CTRLFIRST);
        EXPECT_EQ(loader.Save(*configuration), 0);
        EXPECT_EQ(ReadBytes(path), content);
    }
    ::CloseHandle(lock);
}

TEST(CLoaderTest, AFileWhereTheFolderShouldBeStopsLoadAndSave)
{
    const TempFolder temp;
    WriteBytes(temp.File(L"Orvane-Works"), "a file, not a folder");
    CLoader loader(temp.File(L"Orvane-Works\\tolv\\tolv.ini"));
    auto configuration = TolvTest::MakeStartupConfiguration();
    EXPECT_EQ(loader.Load(*configuration), 0);
    EXPECT_EQ(loader.Save(*configuration), 0);
    EXPECT_EQ(ReadBytes(temp.File(L"Orvane-Works")), "a file, not a folder");
    EXPECT_EQ(loader.GetFileName(), temp.File(L"Orvane-Works\\tolv\\tolv.ini"));
}

TEST(CLoaderTest, APathWithoutFolderIsRefused)
{
    CLoader loader(L"tolv-test-bare.ini");
    auto configuration = TolvTest::MakeStartupConfiguration();
    EXPECT_EQ(loader.Load(*configuration), 0);
    EXPECT_EQ(loader.Save(*configuration), 0);
    EXPECT_EQ(::GetFileAttributesW(L"tolv-test-bare.ini"), INVALID_FILE_ATTRIBUTES);
}

} // namespace
