// CLoader where files are lost in real life: values the profile read would
// change, files in other encodings, writes that fail part-way, files held by
// other programs.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "configuration/CLoader.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/flib/io/IniTestFiles.h"
#include "tests/support/ImportPatch.h"

namespace {

using namespace Configuration;
using TolvTest::GeneralSection;
using TolvTest::ReadBytes;
using TolvTest::ReadText;
using TolvTest::TempFolder;
using TolvTest::WriteBytes;
using TolvTest::WriteUtf16File;

std::set<std::wstring> FilesIn(const std::wstring& folder)
{
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                names.insert(found.cFileName);
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    return names;
}

std::string Encoded(UINT codePage, const std::wstring& text)
{
    const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    return bytes;
}

HANDLE Hold(const std::wstring& path, DWORD access, DWORD share)
{
    return ::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

struct ValueCase {
    const char* name;
    const wchar_t* value;
};

void PrintTo(const ValueCase& c, std::ostream* out) { *out << c.name; }

class ValueSurvivesTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ValueSurvivesTest, AsSlotNameAndExpressionThroughSaveAndReload)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    const std::wstring value = GetParam().value;
    CLoader loader(path);
    {
        auto configuration = TolvTest::MakeStartupConfiguration();
        configuration->GetImes()->GetAt(0)->SetName(value);
        configuration->GetSwitchOnApplication()->GetApplications()->Add(
            std::make_unique<CApplication4SwitchOnApplication>(MT_WINDOWTEXT_REGEX, value, 3));
        ASSERT_EQ(loader.Save(*configuration), 1);
    }
    auto reloaded = TolvTest::MakeStartupConfiguration();
    ASSERT_EQ(loader.Load(*reloaded), 1);
    const CApplications4SwitchOnApplication& list = *reloaded->GetSwitchOnApplication()->GetApplications();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetAt(0)->GetExpression(), value);
    EXPECT_EQ(list.GetAt(0)->GetImeNumber(), 3);
    // An empty name drops its slot on load (so does the first slot here); every other name comes back.
    ASSERT_EQ(reloaded->GetImes()->Count(), value.empty() ? 3 : 4);
    EXPECT_EQ(reloaded->GetImes()->GetAt(0)->GetName(), value.empty() ? L"IME-2" : value);
}

const ValueCase kValueCases[] = {
    {"LeadingAndTrailingBlanks", L" Spaced IME "},
    {"TabsAtTheEdges", L"\tTabbed\t"},
    {"IdeographicSpaces", L"\u3000全角\u3000"},
    {"OneDoubleQuote", L"\""},
    {"OneSingleQuote", L"'"},
    {"TwoDoubleQuotes", L"\"\""},
    {"QuotedPattern", L"\".*\""},
    {"SingleQuotedWord", L"'word'"},
    {"QuoteOnlyAtTheStart", L"\"open"},
    {"QuotesInside", L"a \"b\" c"},
    {"Empty", L""},
    {"Japanese", L"日本語IME"},
    {"OutsideTheJapaneseCodePage", L"café Ünïcode ✓ 😀"},
};
INSTANTIATE_TEST_SUITE_P(Values, ValueSurvivesTest, ::testing::ValuesIn(kValueCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CLoaderSafetyTest, PlainValuesAreWrittenAsBeforeAndOthersInQuotes)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    configuration->GetImes()->GetAt(0)->SetName(L"Microsoft IME");
    configuration->GetImes()->GetAt(1)->SetName(L" Spaced ");
    ASSERT_EQ(loader.Save(*configuration), 1);
    const std::wstring text = ReadText(path);
    EXPECT_NE(text.find(L"\r\nIme[0].Name=Microsoft IME\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"\r\nIme[1].Name=\" Spaced \"\r\n"), std::wstring::npos);
}

struct EncodingCase {
    const char* name;
    std::string (*bytes)(const std::wstring& text);
};

void PrintTo(const EncodingCase& c, std::ostream* out) { *out << c.name; }

class ForeignEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

// Only keys a save writes again with the same values, a comment and an unknown
// key: the converted file must hold these lines unchanged and in this order.
const std::wstring kForeignText = L"[General]\r\n; 手で書いた設定\r\nIme.Count=1\r\nIme[0].Name=日本語IME\r\n"
                                  L"Ime[0].SendKeys.Count=1\r\nIme[0].SendKeys[0]=49\r\nUnknown=残す値\r\n"
                                  L"Application.Count=1\r\nApplication[0].Match=MT_WINDOWTEXT\r\n"
                                  L"Application[0].Expression=無題 - メモ帳\r\nApplication[0].ImeNumber=0\r\n";

TEST_P(ForeignEncodingTest, IsReadRightAndConvertedAtTheFirstSaveWithABackup)
{
    if (std::string(GetParam().name) == "AnsiJapanese" && ::GetACP() != 932) {
        GTEST_SKIP() << "the Japanese text needs the Japanese ANSI code page";
    }
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    const std::string original = GetParam().bytes(kForeignText);
    WriteBytes(path, original);
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    ASSERT_EQ(loader.Load(*configuration), 1);
    ASSERT_EQ(configuration->GetImes()->Count(), 1);
    EXPECT_EQ(configuration->GetImes()->GetAt(0)->GetName(), L"日本語IME");
    ASSERT_EQ(configuration->GetSwitchOnApplication()->GetApplications()->Count(), 1);
    EXPECT_EQ(configuration->GetSwitchOnApplication()->GetApplications()->GetAt(0)->GetExpression(), L"無題 - メモ帳");

    ASSERT_EQ(loader.Save(*configuration), 1);
    const std::wstring saved = ReadText(path);
    EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(saved.substr(0, kForeignText.size()), kForeignText) << "lines changed or moved";
    EXPECT_NE(saved.find(L"\r\nVersion=1.00\r\n"), std::wstring::npos);
    EXPECT_EQ(ReadBytes(temp.File(L"tolv.ini.bak")), original);
    EXPECT_EQ(FilesIn(temp.Path()), (std::set<std::wstring>{L"tolv.ini", L"tolv.ini.bak"}));

    // Converted once: a later save leaves the backup alone.
    WriteBytes(temp.File(L"tolv.ini.bak"), "kept");
    ASSERT_EQ(loader.Save(*configuration), 1);
    EXPECT_EQ(ReadBytes(temp.File(L"tolv.ini.bak")), "kept");
}

const EncodingCase kEncodingCases[] = {
    {"Utf8WithoutMark", [](const std::wstring& text) { return Encoded(CP_UTF8, text); }},
    {"Utf8WithMark", [](const std::wstring& text) { return "\xEF\xBB\xBF" + Encoded(CP_UTF8, text); }},
    {"AnsiJapanese", [](const std::wstring& text) { return Encoded(932, text); }},
};
INSTANTIATE_TEST_SUITE_P(Encodings, ForeignEncodingTest, ::testing::ValuesIn(kEncodingCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Each step of putting the new file on the disk fails in turn; every other call goes through.
void* realCall = nullptr;

HANDLE WINAPI CreateNewFileRefused(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                   DWORD disposition, DWORD attributes, HANDLE templateFile)
{
    if (disposition == CREATE_NEW) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    return reinterpret_cast<decltype(&::CreateFileW)>(realCall)(path, access, share, security, disposition, attributes,
                                                                templateFile);
}

// The disk fills up half-way through the file.
BOOL WINAPI WriteHalfThenDiskFull(HANDLE file, LPCVOID data, DWORD size, LPDWORD done, LPOVERLAPPED overlapped)
{
    reinterpret_cast<decltype(&::WriteFile)>(realCall)(file, data, size / 2, done, overlapped);
    ::SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

BOOL WINAPI FlushFailed(HANDLE)
{
    ::SetLastError(ERROR_IO_DEVICE);
    return FALSE;
}

BOOL WINAPI MoveRefused(LPCWSTR, LPCWSTR, DWORD)
{
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

struct FailureCase {
    const char* name;
    const char* function;
    void* replacement;
};

void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class FailedSaveTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailedSaveTest, LeavesTheFileAsItWasAndNoOtherFile)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    WriteUtf16File(path, GeneralSection(L"Version=1.00\nIme.Count=1\nIme[0].Name=Mine\nApplication.Count=0"));
    const std::string before = ReadBytes(path);
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    ASSERT_EQ(loader.Load(*configuration), 1);
    configuration->GetSwitchOnApplication()->GetApplications()->Add(
        std::make_unique<CApplication4SwitchOnApplication>(MT_FILENAME, L"new.exe", 0));
    {
        TolvTest::ImportPatch patch(GetParam().function, GetParam().replacement);
        ASSERT_GT(patch.Slots(), 0u);
        realCall = patch.Original();
        EXPECT_EQ(loader.Save(*configuration), 0);
    }
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FilesIn(temp.Path()), std::set<std::wstring>{L"tolv.ini"});

    ASSERT_EQ(loader.Save(*configuration), 1);
    EXPECT_EQ(FilesIn(temp.Path()), std::set<std::wstring>{L"tolv.ini"});
    EXPECT_NE(ReadText(path).find(L"\r\nApplication[0].Expression=new.exe\r\n"), std::wstring::npos);
}

const FailureCase kFailureCases[] = {
    {"NoNewFile", "CreateFileW", reinterpret_cast<void*>(&CreateNewFileRefused)},
    {"DiskFullWhileWriting", "WriteFile", reinterpret_cast<void*>(&WriteHalfThenDiskFull)},
    {"FlushFails", "FlushFileBuffers", reinterpret_cast<void*>(&FlushFailed)},
    {"ReplaceRefused", "MoveFileExW", reinterpret_cast<void*>(&MoveRefused)},
};
INSTANTIATE_TEST_SUITE_P(Steps, FailedSaveTest, ::testing::ValuesIn(kFailureCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A settings folder deeper than MAX_PATH, as a long user name and a synced
// folder can make it: the save neither cuts the new file's path nor fails.
TEST(CLoaderSafetyTest, AFolderPathLongerThanMaxPathIsSavedAndLoaded)
{
    const TempFolder temp;
    std::wstring folder = temp.Path();
    while (folder.size() <= MAX_PATH + 20) {
        folder += L"\\" + std::wstring(60, L'x');
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << "Wine refuses long paths here";
    }
    const std::wstring path = folder + L"\\tolv.ini";
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    configuration->GetImes()->GetAt(0)->SetName(L"Deep");
    ASSERT_EQ(loader.Save(*configuration), 1);
    EXPECT_EQ(FilesIn(folder), std::set<std::wstring>{L"tolv.ini"});
    auto reloaded = TolvTest::MakeStartupConfiguration();
    ASSERT_EQ(loader.Load(*reloaded), 1);
    EXPECT_EQ(reloaded->GetImes()->GetAt(0)->GetName(), L"Deep");
}

TEST(CLoaderSafetyTest, AFileAnotherProgramWritesIsLoadedButNotWrittenOver)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    WriteUtf16File(path, GeneralSection(L"Ime.Count=1\nIme[0].Name=Mine\nApplication.Count=1\n"
                                        L"Application[0].Match=MT_FILENAME\nApplication[0].Expression=a.exe"));
    const std::string before = ReadBytes(path);
    const HANDLE writer = Hold(path, GENERIC_WRITE, FILE_SHARE_READ);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    EXPECT_EQ(loader.Load(*configuration), 1);
    EXPECT_FALSE(loader.KeepsUnreadFile());
    EXPECT_EQ(configuration->GetImes()->GetAt(0)->GetName(), L"Mine");
    EXPECT_EQ(configuration->GetSwitchOnApplication()->GetApplications()->Count(), 1);
    EXPECT_EQ(loader.Save(*configuration), 0);
    ::CloseHandle(writer);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(loader.Save(*configuration), 1);
    EXPECT_EQ(FilesIn(temp.Path()), std::set<std::wstring>{L"tolv.ini"});
}

// Lets the other program's lock go at the loader's first pause between attempts.
HANDLE lockToRelease = nullptr;
void WINAPI ReleaseLockInsteadOfSleeping(DWORD)
{
    if (lockToRelease != nullptr) {
        ::CloseHandle(lockToRelease);
        lockToRelease = nullptr;
    }
}

TEST(CLoaderSafetyTest, AFileLockedForAMomentIsWaitedFor)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    WriteUtf16File(path, GeneralSection(L"Ime.Count=1\nIme[0].Name=Mine"));
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    TolvTest::ImportPatch patch("Sleep", reinterpret_cast<void*>(&ReleaseLockInsteadOfSleeping));
    ASSERT_GT(patch.Slots(), 0u);
    lockToRelease = Hold(path, GENERIC_READ | GENERIC_WRITE, 0);
    ASSERT_NE(lockToRelease, INVALID_HANDLE_VALUE);
    EXPECT_EQ(loader.Load(*configuration), 1);
    EXPECT_EQ(lockToRelease, nullptr) << "read without waiting";
    EXPECT_EQ(configuration->GetImes()->GetAt(0)->GetName(), L"Mine");
}

TEST(CLoaderSafetyTest, AnUnreadFileIsWrittenOnlyWhenConfirmedAndKeptAsBackup)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"tolv.ini");
    WriteUtf16File(path, GeneralSection(L"Ime.Count=1\nIme[0].Name=Mine"));
    const std::string before = ReadBytes(path);
    CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();
    {
        const HANDLE exclusive = Hold(path, GENERIC_READ | GENERIC_WRITE, 0);
        ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
        EXPECT_EQ(loader.Load(*configuration), 0);
        ::CloseHandle(exclusive);
    }
    EXPECT_TRUE(loader.KeepsUnreadFile());
    EXPECT_EQ(configuration->GetImes()->Count(), 4) << "the defaults stand";

    EXPECT_EQ(loader.Save(*configuration), 0) << "an automatic save would replace the user's settings";
    EXPECT_EQ(ReadBytes(path), before);

    configuration->GetSystem()->SetType(ST_SENDINPUT_CTRLFIRST);
    ASSERT_EQ(loader.SaveConfirmed(*configuration), 1);
    EXPECT_FALSE(loader.KeepsUnreadFile());
    EXPECT_EQ(ReadBytes(temp.File(L"tolv.ini.bak")), before);
    EXPECT_NE(ReadText(path).find(L"\r\nImeSwitcher.Type=ST_SENDINPUT_CTRLFIRST\r\n"), std::wstring::npos);
    EXPECT_EQ(loader.Save(*configuration), 1) << "saved normally once confirmed";
}

} // namespace
