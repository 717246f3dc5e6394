// The in-memory INI document against the real GetPrivateProfileStringW and
// WritePrivateProfileStringW on a generated corpus of files: odd lines, blanks,
// quotes, repeated keys and sections, long values, every encoding tolv reads.
#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "flib/io/FileEncoding.h"
#include "flib/io/IniDocument.h"
#include "tests/flib/io/IniTestFiles.h"

namespace {

using Flib::IO::File::DecodeFileText;
using Flib::IO::File::IniDocument;
using TolvTest::ReadBytes;
using TolvTest::TempFolder;
using TolvTest::WriteBytes;

constexpr unsigned kSeed = 20240623;
constexpr int kCases = 300;

const std::vector<std::wstring> kSections = {L"General", L"general", L"GENERAL", L"Other", L"a]b", L"日本語", L"Sp ace"};
const std::vector<std::wstring> kKeys = {L"Name", L"name", L"NAME", L"Ime.Count", L"Ime[0].Name", L"キー", L"k",
                                         L"Application[12].Expression"};
const std::vector<std::wstring> kValues = {L"",        L"v",          L"  spaced  ", L"\"quoted\"", L"'single'",
                                           L"\"",      L"''",         L"\"a'",       L"a=b",        L"日本語の値",
                                           L"\" in \"", L"\u3000全角\u3000", L"x\x1a",   std::wstring(9000, L'x')};
// Values a plain file holds: no blanks at the edges, which the profile write would drop on rewriting.
const std::vector<std::wstring> kPlainValues = {L"",   L"v",   L"\"quoted\"", L"'single'", L"\"",
                                                L"''", L"a=b", L"日本語の値", L"\u3000全角\u3000"};
// Trailing blanks are left out: Windows documents that an all-blank default reads as empty, Wine keeps one.
const std::vector<std::wstring> kDefaults = {L"", L"def", L"def  ", L"'q'", L" lead", L"\"\""};
const std::vector<int> kSizes = {8192, 1, 2, 3, 6};

class Generator {
public:
    explicit Generator(unsigned seed) : engine_(seed) {}
    int Below(int n) { return static_cast<int>(engine_() % static_cast<unsigned>(n)); }
    bool OneIn(int n) { return Below(n) == 0; }
    template <typename T>
    const T& Pick(const std::vector<T>& from) { return from[static_cast<std::size_t>(Below(static_cast<int>(from.size())))]; }

private:
    std::mt19937 engine_;
};

struct Corpus {
    std::wstring text;
    std::vector<std::wstring> sections; // named sections the file has, in order
};

std::wstring LineEnd(Generator& g)
{
    const int kind = g.Below(10);
    return kind == 0 ? L"\n" : kind == 1 ? L"\r" : L"\r\n";
}

std::wstring OddKeyLine(Generator& g)
{
    const std::wstring& key = g.Pick(kKeys);
    const std::wstring& value = g.Pick(kValues);
    switch (g.Below(8)) {
    case 0: return L"  " + key + L" = " + value + L" ";
    case 1: return L"\t" + key + L"\t=\t" + value;
    case 2: return key;
    case 3: return L"=" + value;
    case 4: return L"; " + key + L"=" + value;
    case 5: return g.OneIn(2) ? L"   " : L"";
    default: return key + L"=" + value;
    }
}

std::wstring OddHeader(Generator& g, const std::wstring& name)
{
    switch (g.Below(6)) {
    case 0: return L"[ " + name + L" ]";
    case 1: return L"  [" + name + L"]  ; note";
    case 2: return L"[" + name; // no "]": a key line
    default: return L"[" + name + L"]";
    }
}

// `plain`: the form the profile write leaves a file in (CR LF, no blank lines,
// no blanks around "=", bare headers), where both writers must give equal bytes.
Corpus Generate(Generator& g, bool plain)
{
    Corpus corpus;
    const int before = g.Below(3);
    for (int n = 0; n < before; ++n) {
        corpus.text += (plain ? g.Pick(kKeys) + L"=" + g.Pick(kPlainValues) : OddKeyLine(g)) + (plain ? L"\r\n" : LineEnd(g));
    }
    const int sections = 1 + g.Below(4);
    for (int s = 0; s < sections; ++s) {
        const std::wstring& name = g.Pick(kSections);
        const std::wstring header = plain ? L"[" + name + L"]" : OddHeader(g, name);
        corpus.text += header + (plain ? L"\r\n" : LineEnd(g));
        if (header == L"[" + name + L"]" || header == L"[ " + name + L" ]" || header.find(L"; note") != std::wstring::npos) {
            corpus.sections.push_back(name);
        }
        const int lines = g.Below(7);
        for (int n = 0; n < lines; ++n) {
            std::wstring line;
            if (plain) {
                line = g.OneIn(6) ? g.Pick(kKeys) : g.Pick(kKeys) + L"=" + g.Pick(kPlainValues);
            } else {
                line = OddKeyLine(g);
            }
            corpus.text += line + (plain ? L"\r\n" : LineEnd(g));
        }
    }
    if (!plain && g.OneIn(4) && !corpus.text.empty()) {
        corpus.text.pop_back(); // the last line without its line break
    }
    return corpus;
}

std::string Encoded(UINT codePage, const std::wstring& text)
{
    const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                           nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    return bytes;
}

std::string Utf16(const std::wstring& text)
{
    return std::string("\xFF\xFE", 2) + std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

struct EncodingCase {
    const char* name;
    std::string (*bytes)(const std::wstring& text);
    // What the profile functions read the same text from: the same bytes where
    // they read that encoding themselves, else the text as UTF-16.
    std::string (*reference)(const std::wstring& text);
};

const EncodingCase kEncodings[] = {
    {"Utf16", Utf16, Utf16},
    {"Utf8WithMark", [](const std::wstring& t) { return "\xEF\xBB\xBF" + Encoded(CP_UTF8, t); },
     [](const std::wstring& t) { return "\xEF\xBB\xBF" + Encoded(CP_UTF8, t); }},
    // The profile functions read a file without a mark in the ANSI code page; tolv recognises UTF-8 first.
    {"Utf8WithoutMark", [](const std::wstring& t) { return Encoded(CP_UTF8, t); }, Utf16},
    {"Ansi", [](const std::wstring& t) { return Encoded(CP_ACP, t); }, [](const std::wstring& t) { return Encoded(CP_ACP, t); }},
};

class FileNames {
public:
    std::wstring Next() { return folder_.File(L"case" + std::to_wstring(++count_) + L".ini"); }

private:
    TempFolder folder_;
    int count_ = 0;
};

TEST(ProfileComparisonTest, EveryReadEqualsGetPrivateProfileString)
{
    FileNames files;
    for (const EncodingCase& encoding : kEncodings) {
        Generator g(kSeed);
        for (int c = 0; c < kCases; ++c) {
            const Corpus corpus = Generate(g, g.OneIn(3));
            // Text outside the code page becomes "?" in an ANSI file: read back what it holds.
            const std::wstring text = std::string(encoding.name) == "Ansi"
                                          ? DecodeFileText(Encoded(CP_ACP, corpus.text)).text
                                          : corpus.text;
            const IniDocument document(DecodeFileText(encoding.bytes(text)).text);
            const std::wstring reference = files.Next();
            WriteBytes(reference, encoding.reference(text));
            for (int q = 0; q < 20; ++q) {
                std::wstring section = g.OneIn(8) ? L"" : g.Pick(kSections);
                if (g.OneIn(4)) {
                    section = L" " + section + L"\t";
                }
                std::wstring key = g.OneIn(8) ? L"missing" : g.Pick(kKeys);
                if (g.OneIn(4)) {
                    key = L"\t" + key + L" ";
                }
                const std::wstring& defaultValue = g.Pick(kDefaults);
                const int size = g.Pick(kSizes);
                std::vector<wchar_t> buffer(static_cast<std::size_t>(size) + 1, L'#');
                const DWORD expected = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(),
                                                                  buffer.data(), static_cast<DWORD>(size),
                                                                  reference.c_str());
                std::wstring value;
                const int count = document.Read(section, key, defaultValue, size, value);
                ASSERT_EQ(value, std::wstring(buffer.data()))
                    << "seed " << kSeed << ", " << encoding.name << " case " << c << ", [" << testing::PrintToString(section)
                    << "] " << testing::PrintToString(key) << ", size " << size;
                ASSERT_EQ(count, static_cast<int>(expected)) << "seed " << kSeed << ", " << encoding.name << " case " << c;
            }
        }
    }
}

// The file as the profile functions keep it: read in and written out by them.
std::string Canonical(FileNames& files, const std::string& bytes)
{
    const std::wstring path = files.Next();
    WriteBytes(path, bytes);
    ::WritePrivateProfileStringW(L"\x01" L"canon", L"k", L"v", path.c_str());
    ::WritePrivateProfileStringW(L"\x01" L"canon", nullptr, nullptr, path.c_str());
    return ReadBytes(path);
}

TEST(ProfileComparisonTest, EverySequenceOfWritesEqualsWritePrivateProfileString)
{
    FileNames files;
    Generator g(kSeed + 1);
    for (int c = 0; c < kCases; ++c) {
        const bool plain = g.OneIn(2);
        const Corpus corpus = Generate(g, plain);
        IniDocument document(corpus.text);
        const std::wstring reference = files.Next();
        WriteBytes(reference, Utf16(corpus.text));
        const int writes = 1 + g.Below(5);
        for (int w = 0; w < writes; ++w) {
            // A plain file stays plain only while no section is added: a new one gets
            // a blank line before it here, as on Windows, and none under Wine.
            std::wstring section;
            if (plain) {
                section = corpus.sections.empty() ? std::wstring() : g.Pick(corpus.sections);
            } else {
                section = g.OneIn(5) ? L"New" + std::to_wstring(g.Below(2)) : g.Pick(kSections);
            }
            std::wstring key = g.OneIn(5) ? L"Fresh" + std::to_wstring(g.Below(3)) : g.Pick(kKeys);
            if (!plain && g.OneIn(4)) {
                key = L"  " + key;
            }
            const std::wstring& value = plain ? g.Pick(kPlainValues) : g.Pick(kValues);
            ASSERT_TRUE(::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), reference.c_str()));
            document.Write(section, key, value);
        }
        const std::string expected = ReadBytes(reference);
        const std::string written = Utf16(document.Text());
        if (plain) {
            ASSERT_EQ(written, expected) << "seed " << kSeed + 1 << ", case " << c;
        } else {
            // Wine rewrites the whole file in its own layout (no blank lines, no blanks
            // around "="); Windows and tolv keep the lines they do not change.
            ASSERT_EQ(Canonical(files, written), Canonical(files, expected)) << "seed " << kSeed + 1 << ", case " << c;
        }
    }
}

} // namespace
