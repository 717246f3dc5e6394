// CIniFile on real files under the profile functions: value formats, the
// encoding of a new file, Open's checks and the two line editors.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <ostream>
#include <string>

#include "flib/io/CFileStdW.h"
#include "flib/io/CIniFile.h"
#include "tests/flib/io/IniTestFiles.h"

namespace {

using Flib::IO::File::CFileStdW;
using Flib::IO::File::CIniFile;
using TolvTest::ReadBytes;
using TolvTest::ReadText;
using TolvTest::TempFolder;
using TolvTest::WriteBytes;
using TolvTest::WriteUtf16File;

// One key of a fixture file: absent when `text` is null.
struct ReadCase {
    const char* name;
    const wchar_t* text;
    int defaultValue;
    int expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

std::wstring FixtureFor(const ReadCase& c)
{
    std::wstring text = L"[General]\r\nOther=1\r\n";
    if (c.text) {
        text += std::wstring(L"Value=") + c.text + L"\r\n";
    }
    return text;
}

class ReadIntTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadIntTest, ReadsWholeDecimalNumbersAndElseTheDefault)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"values.ini");
    WriteUtf16File(path, FixtureFor(GetParam()));
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, true, false), 1);
    EXPECT_EQ(ini.ReadInt(L"General", L"Value", GetParam().defaultValue), GetParam().expected);
}

const ReadCase kReadIntCases[] = {
    {"Missing", nullptr, 7, 7},
    {"Empty", L"", 7, 7},
    {"Positive", L"12", 7, 12},
    {"Negative", L"-3", 7, -3},
    {"Largest", L"2147483647", 7, INT_MAX},
    {"Smallest", L"-2147483648", 7, INT_MIN},
    {"Letters", L"abc", 7, 7},
    {"Fraction", L"1.5", 7, 7},
    {"TrailingText", L"12abc", 7, 7},
    {"Overflow", L"2147483648", 7, 7},
    {"FarOverflow", L"99999999999999999999", -1, -1},
    {"SignOnly", L"-", 7, 7},
};
INSTANTIATE_TEST_SUITE_P(Values, ReadIntTest, ::testing::ValuesIn(kReadIntCases),
                         [](const auto& info) { return std::string(info.param.name); });

class ReadBoolTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadBoolTest, OnlyLowerCaseTrueIsOne)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"flags.ini");
    WriteUtf16File(path, FixtureFor(GetParam()));
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, true, false), 1);
    EXPECT_EQ(ini.ReadBool(L"General", L"Value", GetParam().defaultValue), GetParam().expected);
}

const ReadCase kReadBoolCases[] = {
    {"True", L"true", 0, 1},
    {"CapitalTrue", L"True", 1, 0},
    {"UpperCaseTrue", L"TRUE", 1, 0},
    {"One", L"1", 1, 0},
    {"False", L"false", 1, 0},
    {"MissingKeepsOne", nullptr, 1, 1},
    {"MissingKeepsZero", nullptr, 0, 0},
    {"EmptyKeepsOne", L"", 1, 1},
};
INSTANTIATE_TEST_SUITE_P(Values, ReadBoolTest, ::testing::ValuesIn(kReadBoolCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CIniFileTest, WritesIntegersInDecimalAndFlagsAsWords)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"written.ini");
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, false, false), 1);
    EXPECT_NE(ini.WriteInt(L"General", L"Negative", -15), 0);
    EXPECT_NE(ini.WriteInt(L"General", L"Large", 1234567), 0);
    EXPECT_NE(ini.WriteBool(L"General", L"Seven", 7), 0);
    EXPECT_NE(ini.WriteBool(L"General", L"Zero", 0), 0);
    EXPECT_EQ(ReadText(path), L"[General]\r\nNegative=-15\r\nLarge=1234567\r\nSeven=true\r\nZero=false\r\n");
}

TEST(CIniFileTest, ReadStringReportsTheDefaultForAMissingKeyAndZeroForAnEmptyValue)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"strings.ini");
    WriteUtf16File(path, L"[General]\r\nEmpty=\r\nName=IME-1\r\n");
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, true, false), 1);

    std::wstring value = L"before";
    EXPECT_EQ(ini.ReadString(L"General", L"Missing", L"fallback", value), 8);
    EXPECT_EQ(value, L"fallback");
    EXPECT_EQ(ini.ReadString(L"General", L"Empty", L"fallback", value), 0);
    EXPECT_EQ(value, L"");
    EXPECT_EQ(ini.ReadString(L"General", L"Name", L"", value), 5);
    EXPECT_EQ(value, L"IME-1");

    wchar_t buffer[4] = {};
    EXPECT_EQ(ini.ReadStringToBuffer(L"General", L"Name", L"", buffer, 4), 3) << "cut to the caller's buffer";
    EXPECT_STREQ(buffer, L"IME");
}

TEST(CIniFileTest, ReadStringCutsAValueAt8191Characters)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"long.ini");
    const std::wstring longValue(9000, L'x');
    WriteUtf16File(path, L"[General]\r\nLong=" + longValue + L"\r\n");
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, true, false), 1);
    std::wstring value;
    EXPECT_EQ(ini.ReadString(L"General", L"Long", L"", value), 8191);
    EXPECT_EQ(value, longValue.substr(0, 8191));
}

TEST(CIniFileTest, ANewFileIsUtf16SoTextOutsideTheCodePageSurvives)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"new.ini");
    const std::wstring name = L"Microsoft IME 日本語 \u00e9\u0436\U0001F600";
    {
        CIniFile ini;
        ASSERT_EQ(ini.Open(path, false, false), 1);
        ASSERT_NE(ini.WriteString(L"General", L"Name", name), 0);
    }
    EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE");
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, true, false), 1);
    std::wstring value;
    ini.ReadString(L"General", L"Name", L"", value);
    EXPECT_EQ(value, name);
}

TEST(CIniFileTest, AnExistingAnsiFileKeepsItsEncoding)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"ansi.ini");
    WriteBytes(path, "[General]\r\nVersion=1.00\r\n");
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, false, false), 1);
    ASSERT_NE(ini.WriteString(L"General", L"Version", L"2.00"), 0);
    ASSERT_NE(ini.WriteInt(L"General", L"Ime.Count", 4), 0);
    EXPECT_EQ(ReadBytes(path), "[General]\r\nVersion=2.00\r\nIme.Count=4\r\n");
}

TEST(CIniFileTest, OpenRefusesADirectoryAndAFileWithoutTheAskedAccess)
{
    const TempFolder temp;
    CIniFile ini;
    EXPECT_EQ(ini.Open(temp.Path(), true, false), 0);

    const std::wstring missing = temp.File(L"missing.ini");
    EXPECT_EQ(ini.Open(missing, false, false), 1);
    EXPECT_EQ(::GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES) << "Open creates nothing";

    const std::wstring readOnly = temp.File(L"read-only.ini");
    WriteBytes(readOnly, "[General]\r\nVersion=1.00\r\n");
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ini.Open(readOnly, true, false), 1);
    EXPECT_EQ(ini.Open(readOnly, false, false), 0);
    EXPECT_EQ(ini.Open(readOnly, false, true), 0);
    EXPECT_EQ(ReadBytes(readOnly), "[General]\r\nVersion=1.00\r\n");
}

TEST(CIniFileTest, OpenForWritingTruncatesOnlyWhenAsked)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"truncate.ini");
    WriteBytes(path, "[General]\r\nVersion=1.00\r\n");
    CIniFile ini;
    EXPECT_EQ(ini.Open(path, false, false), 1);
    EXPECT_EQ(ReadBytes(path), "[General]\r\nVersion=1.00\r\n");
    EXPECT_EQ(ini.Open(path, true, true), 1) << "read-only never truncates";
    EXPECT_EQ(ReadBytes(path), "[General]\r\nVersion=1.00\r\n");
    EXPECT_EQ(ini.Open(path, false, true), 1);
    EXPECT_EQ(ReadBytes(path), "");
}

TEST(CIniFileTest, CloseForgetsThePath)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"closed.ini");
    WriteUtf16File(path, L"[General]\r\nName=IME-1\r\n");
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, true, false), 1);
    EXPECT_EQ(ini.Close(), 1);
    std::wstring value;
    ini.ReadString(L"General", L"Name", L"none", value);
    EXPECT_EQ(value, L"none");
}

// The line editors on both encodings a settings file can have.
struct EditCase {
    const char* name;
    bool utf16;
};

void PrintTo(const EditCase& c, std::ostream* out) { *out << c.name; }

class LineEditorTest : public ::testing::TestWithParam<EditCase> {
protected:
    void Write(const std::wstring& path, const std::wstring& text) const
    {
        if (GetParam().utf16) {
            WriteUtf16File(path, text);
        } else {
            std::string bytes;
            for (const wchar_t c : text) {
                bytes += static_cast<char>(c);
            }
            WriteBytes(path, bytes);
        }
    }
    std::string ExpectedHead() const { return GetParam().utf16 ? "\xFF\xFE" : "["; }
};

TEST_P(LineEditorTest, DeleteSectionRemovesEverySectionWithThatHeader)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"sections.ini");
    Write(path, L"[General]\r\nA=1\r\n[Other]\r\nB=2\r\n[General]\r\nC=3\r\n[General]\r\nD=4\r\n[Last]\r\nE=5\r\n");
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, false, false), 1);
    EXPECT_EQ(ini.DeleteSection(L"General"), 1);
    EXPECT_EQ(ReadText(path), L"[Other]\r\nB=2\r\n[Last]\r\nE=5\r\n");
    EXPECT_EQ(ReadBytes(path).substr(0, ExpectedHead().size()), ExpectedHead()) << "the encoding is kept";

    EXPECT_EQ(ini.DeleteSection(L"General"), 0);
    EXPECT_EQ(ini.DeleteSection(L"other"), 0) << "the header is compared case-sensitively";
    EXPECT_EQ(ReadText(path), L"[Other]\r\nB=2\r\n[Last]\r\nE=5\r\n");
}

TEST_P(LineEditorTest, DeleteKeyRemovesTheKeyOnlyInsideItsSection)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"keys.ini");
    Write(path, L"[General]\r\nName=1\r\nNameX=2\r\n[Other]\r\nName=3\r\n[General]\r\nName=4\r\nKeep=5\r\n");
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, false, false), 1);
    EXPECT_EQ(ini.DeleteKey(L"General", L"Name"), 1);
    EXPECT_EQ(ReadText(path), L"[General]\r\nNameX=2\r\n[Other]\r\nName=3\r\n[General]\r\nKeep=5\r\n");
    EXPECT_EQ(ini.DeleteKey(L"General", L"Name"), 0);
    EXPECT_EQ(ini.DeleteKey(L"Missing", L"Keep"), 0);
    EXPECT_EQ(ReadText(path), L"[General]\r\nNameX=2\r\n[Other]\r\nName=3\r\n[General]\r\nKeep=5\r\n");
}

TEST_P(LineEditorTest, LinesLongerThanOneReadAreJudgedWhole)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"long-lines.ini");
    // The second half of the long value would look like a key line of its own.
    const std::wstring longValue = std::wstring(2047 - 6, L'x') + L"Name=tail";
    Write(path, L"[General]\r\nValue=" + longValue + L"\r\nName=1\r\n");
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, false, false), 1);
    EXPECT_EQ(ini.DeleteKey(L"General", L"Name"), 1);
    EXPECT_EQ(ReadText(path), L"[General]\r\nValue=" + longValue + L"\r\n");
}

const EditCase kEditCases[] = {{"Utf16", true}, {"Ansi", false}};
INSTANTIATE_TEST_SUITE_P(Encodings, LineEditorTest, ::testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CIniFileTest, LineEditorsOnAMissingFileFindNothingAndCreateNothing)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"missing.ini");
    CIniFile ini;
    ASSERT_EQ(ini.Open(path, false, false), 1);
    EXPECT_EQ(ini.DeleteSection(L"General"), 0);
    EXPECT_EQ(ini.DeleteKey(L"General", L"Name"), 0);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(CIniFileTest, LineEditorsLeaveALockedFileAsItIs)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"locked.ini");
    WriteBytes(path, "[General]\r\nName=1\r\n");
    // Another program reading the file without letting anyone write it.
    const HANDLE lock =
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    CIniFile ini;
    EXPECT_EQ(ini.Open(path, true, false), 1);
    EXPECT_EQ(ini.Open(path, false, false), 0);
    EXPECT_EQ(ini.DeleteSection(L"General"), 0);
    EXPECT_EQ(ini.DeleteKey(L"General", L"Name"), 0);
    ::CloseHandle(lock);
    EXPECT_EQ(ReadBytes(path), "[General]\r\nName=1\r\n");
}

TEST(CFileStdWTest, AViewWithoutAStreamAnswersWithoutTouchingTheRuntime)
{
    CFileStdW file;
    wchar_t buffer[8] = {};
    char data[4] = {};
    EXPECT_EQ(file.GetHandle(), nullptr);
    EXPECT_EQ(file.Close(), -1);
    EXPECT_EQ(file.GetLine(buffer, 8), nullptr);
    EXPECT_EQ(file.PutString(L"x"), -1);
    EXPECT_EQ(file.Printf(L"%d", 1), 0);
    EXPECT_EQ(file.Seek(0, SEEK_SET), 0);
    EXPECT_EQ(file.Tell(), -1L);
    EXPECT_EQ(file.Write(data, 1, 4), 0u);
    EXPECT_EQ(file.Read(data, 1, 4), 0u);
    file.Rewind();
}

TEST(CFileStdWTest, WrapsARealStream)
{
    const TempFolder temp;
    const std::wstring path = temp.File(L"stream.txt");
    CFileStdW file;
    ASSERT_NE(file.Open(path.c_str(), L"w+b"), nullptr);
    EXPECT_GT(file.Printf(L"%d-%ls", 42, L"ab"), 0);
    EXPECT_EQ(file.Tell(), static_cast<long>(5 * sizeof(wchar_t)));
    file.Rewind();
    wchar_t line[16] = {};
    ASSERT_NE(file.GetLine(line, 16), nullptr);
    EXPECT_STREQ(line, L"42-ab");
    EXPECT_EQ(file.Close(), 0);
    EXPECT_EQ(file.GetHandle(), nullptr) << "a closed stream is not handed out again";
}

} // namespace
