// Shortening values and fitting lines, without the string table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/BalloonText.h"

namespace {

using Engine::BalloonLine;
using Engine::FitLines;
using Engine::Shorten;
using Engine::Shortening;

const std::wstring kEmoji = L"\U0001F600";

std::wstring Repeat(const std::wstring& piece, std::size_t count)
{
    std::wstring text;
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

bool HasBrokenCharacter(const std::wstring& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
        const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
        const bool nextLow = i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        const bool previousHigh = i > 0 && text[i - 1] >= 0xD800 && text[i - 1] <= 0xDBFF;
        if ((high && !nextLow) || (low && !previousHigh)) {
            return true;
        }
    }
    return false;
}

TEST(Shorten, PathsKeepTheirRootAndFileNameAndTextsTheirBeginning)
{
    const struct {
        const char* name;
        const wchar_t* value;
        Shortening shortening;
        std::size_t length;
        const wchar_t* expected;
    } cases[] = {
        {"fits", L"C:\\Windows\\notepad.exe", Shortening::Path, 22, L"C:\\Windows\\notepad.exe"},
        {"folders give way at a boundary", L"C:\\Program Files\\Vendor\\Tool\\tool.exe", Shortening::Path, 25,
         L"C:\\…\\Vendor\\Tool\\tool.exe"},
        {"a folder that does not fit whole goes", L"C:\\Program Files\\Vendor\\Tool\\tool.exe", Shortening::Path,
         24, L"C:\\…\\Tool\\tool.exe"},
        {"only the file name fits", L"C:\\Program Files\\Vendor\\Tool\\tool.exe", Shortening::Path, 14,
         L"C:\\…\\tool.exe"},
        {"a file name too long keeps its end", L"C:\\Tools\\averyveryverylongname.exe", Shortening::Path, 12,
         L"C:\\…name.exe"},
        {"a share is the root", L"\\\\server\\share\\deep\\deeper\\x.exe", Shortening::Path, 22,
         L"\\\\server\\share\\…\\x.exe"},
        {"no root", L"folder\\folder\\folder\\x.exe", Shortening::Path, 12, L"…\\x.exe"},
        {"a root longer than the room", L"\\\\server\\share\\x.exe", Shortening::Path, 8, L"\\\\serve…"},
        {"text keeps its beginning", L"Inbox - Mail - Browser", Shortening::Ending, 8, L"Inbox -…"},
        {"the least is the ellipsis", L"Inbox", Shortening::Ending, 0, L"…"},
        {"numbers stay whole", L"000000001234ABCD", Shortening::None, 4, L"000000001234ABCD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shorten(c.value, c.shortening, c.length), c.expected) << c.name;
    }
}

TEST(Shorten, NeverSplitsAnEmojiWhereverTheCutFalls)
{
    const std::wstring texts[] = {
        Repeat(kEmoji, 60),
        L"x" + Repeat(kEmoji, 60),
        L"C:\\" + Repeat(kEmoji, 30) + L"\\" + Repeat(kEmoji, 30) + L".exe",
        L"C:\\" + Repeat(kEmoji, 30) + L"\\x" + Repeat(kEmoji, 30) + L".exe",
    };
    for (const std::wstring& text : texts) {
        for (const Shortening shortening : {Shortening::Path, Shortening::Ending}) {
            for (std::size_t length = 1; length <= text.size(); ++length) {
                const std::wstring shown = Shorten(text, shortening, length);
                EXPECT_LE(shown.size(), length);
                if (shortening == Shortening::Ending) {
                    EXPECT_GE(shown.size() + 1, length) << "more was taken than the pair needs";
                }
                EXPECT_FALSE(HasBrokenCharacter(shown)) << "length " << length;
            }
        }
    }
}

TEST(FitLines, LabelsTooLongForTheBalloonDropWholeLinesFromTheEnd)
{
    const std::vector<BalloonLine> lines = {
        {L"【first label】%1\n", L"C:\\Windows\\notepad.exe", Shortening::Path},
        {L"【second label】%1\n", L"0x1234", Shortening::None},
        {L"【third label】%1\n", L"title", Shortening::Ending},
    };
    const struct {
        std::size_t limit;
        const wchar_t* expected;
    } cases[] = {
        {200, L"【first label】C:\\Windows\\notepad.exe\n【second label】0x1234\n【third label】title"},
        {70, L"【first label】C:\\…\\notepad.exe\n【second label】0x1234\n【third label】title"},
        {50, L"【first label】…\n【second label】0x1234\n【third label】…"},
        {36, L"【first label】…\n【second label】0x1234"},
        {20, L"【first label】…"},
        {10, L""},
    };
    for (const auto& c : cases) {
        const std::wstring text = FitLines(lines, c.limit);
        EXPECT_EQ(text, c.expected) << "limit " << c.limit;
        EXPECT_LE(text.size(), c.limit);
    }
}

} // namespace
