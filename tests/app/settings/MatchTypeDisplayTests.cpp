// The names the rule lists show for the match types.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/settings/MatchTypeDisplay.h"
#include "flib/window/LoadResourceString.h"

namespace {

using namespace Configuration;

TEST(MatchTypeDisplayTest, DisplayNamesComeFromTheStringTable)
{
    const wchar_t* const expected[] = {
        L"実行ファイル名",           L"実行ファイル名【正規表現】",
        L"実行ファイル名(フルパス)", L"実行ファイル名(フルパス)【正規表現】",
        L"ウィンドウ クラス名",      L"ウィンドウ クラス名【正規表現】",
        L"ウィンドウ タイトル",      L"ウィンドウ タイトル【正規表現】",
    };
    for (int value = 0; value < 8; ++value) {
        const unsigned int id = Tolv::MatchTypeToStringId(static_cast<MatchType>(value));
        EXPECT_EQ(id, 50201u + static_cast<unsigned int>(value));
        std::wstring text;
        Flib::Windows::Window::LoadResourceString(::GetModuleHandleW(nullptr), id, text);
        EXPECT_EQ(text, expected[value]);
    }
    EXPECT_EQ(Tolv::MatchTypeToStringId(kUnrecognisedMatchType), 0u);
}

} // namespace
