// The INI document where it goes beyond what the profile functions under Wine
// show: the rules Windows documents, and the lines an edit leaves alone.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "flib/io/IniDocument.h"

namespace {

using Flib::IO::File::IniDocument;

TEST(IniDocumentTest, NamesIgnoreCaseBeyondAsciiAsWindowsDocuments)
{
    // Wine folds only ASCII letters; Windows calls the names not case-sensitive.
    const IniDocument document(L"[Égal]\r\nÄrger=1\r\n");
    std::wstring value;
    EXPECT_EQ(document.Read(L"égal", L"ärger", L"d", 8192, value), 1);
    EXPECT_EQ(value, L"1");
}

TEST(IniDocumentTest, ADefaultOfBlanksOnlyReadsAsEmptyAsWindowsDocuments)
{
    // Windows cuts every trailing blank of the default; Wine keeps one of an all-blank default.
    const IniDocument document(L"[General]\r\n");
    std::wstring value = L"before";
    EXPECT_EQ(document.Read(L"General", L"Missing", L"   ", 8192, value), 0);
    EXPECT_EQ(value, L"");
    EXPECT_EQ(document.Read(L"General", L"Missing", L" x  ", 8192, value), 2);
    EXPECT_EQ(value, L" x");
}

struct EditCase {
    const char* name;
    const wchar_t* before;
    std::vector<std::pair<const wchar_t*, const wchar_t*>> writes; // key and value, all in "General"
    const wchar_t* after;
};

void PrintTo(const EditCase& c, std::ostream* out) { *out << c.name; }

class IniDocumentEditTest : public ::testing::TestWithParam<EditCase> {};

TEST_P(IniDocumentEditTest, ChangesOnlyTheLinesItWrites)
{
    IniDocument document(GetParam().before);
    for (const auto& write : GetParam().writes) {
        document.Write(L"General", write.first, write.second);
    }
    EXPECT_EQ(document.Text(), GetParam().after);
}

const EditCase kEditCases[] = {
    {"CommentsBlankLinesAndSpacingStay",
     L"; mine\r\n[General]\r\n  a = 1 \r\n\r\n[Other]\r\nb = 2\r\n",
     {{L"a", L"X"}, {L"New", L"v"}},
     L"; mine\r\n[General]\r\na=X\r\nNew=v\r\n\r\n[Other]\r\nb = 2\r\n"},
    {"AnUnchangedValueKeepsItsLine", L"[General]\r\n  a = 1 \r\n", {{L"A", L"1"}}, L"[General]\r\n  a = 1 \r\n"},
    {"TheLastLineGetsItsBreakBeforeANewKey", L"[General]\nx=1", {{L"y", L"2"}}, L"[General]\nx=1\r\ny=2\r\n"},
    {"ANewSectionFollowsABlankLine", L"[Other]\r\nb=2\r\n", {{L"k", L"v"}}, L"[Other]\r\nb=2\r\n\r\n[General]\r\nk=v\r\n"},
    {"ANewFileHasNoBlankLine", L"", {{L"k", L"v"}, {L"l", L"w"}}, L"[General]\r\nk=v\r\nl=w\r\n"},
    {"OnlyTheFirstOfRepeatedKeysAndSections",
     L"[General]\r\nk=1\r\nk=2\r\n[general]\r\nk=3\r\n",
     {{L"K", L"9"}, {L"n", L"0"}},
     L"[General]\r\nk=9\r\nk=2\r\nn=0\r\n[general]\r\nk=3\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Writes, IniDocumentEditTest, ::testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
