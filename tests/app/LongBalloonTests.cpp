// The switch balloon on screen for a program with a long path and a long window
// title: every line the notification settings ask for is there, shortened.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ExitCodes.h"
#include "resources/ResourceIds.h"
#include "tests/app/LongBalloonTarget.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/KeyLoggerCopy.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/ShownBalloons.h"
#include "tests/support/TextLines.h"
#include "tests/support/TolvProcess.h"
#include "tests/support/Wait.h"

namespace {

using namespace TolvTest::LongBalloonTarget;
using TolvTest::Lines;
using TolvTest::WaitUntil;

bool StartsWith(const std::wstring& text, const std::wstring& start) { return text.compare(0, start.size(), start) == 0; }
bool EndsWith(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(LongBalloon, ShowsEveryLineWithThePathAndTitleShortened)
{
    TolvTest::SettingsFileGuard settings;
    settings.Write(Settings());
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const TolvTest::KeyLoggerCopy copy(std::wstring(temp) + kFolders, kFileName);
    ASSERT_FALSE(copy.Path().empty()) << "the logger could not be copied";

    auto tolv = std::make_unique<TolvTest::TolvProcess>();
    HWND main = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (main = tolv->FindWindowOfProcess(Tolv::kMainWindowClass)) != nullptr; }));
    {
        TolvTest::KeyLogProcess target(copy.Path(), kClassName, kWindowTitle);
        ASSERT_NE(target.Window(), nullptr);
        ASSERT_TRUE(target.BringToFront());

        // The first line names the process, so an older balloon cannot pass.
        const std::wstring processLine = L"【プロセスID】" + std::to_wstring(target.Id()) + L"\n";
        std::wstring shown;
        ASSERT_TRUE(WaitUntil([&] {
            for (const std::wstring& text : TolvTest::ShownBalloonTexts()) {
                if (StartsWith(text, processLine)) {
                    shown = text;
                    return true;
                }
            }
            return false;
        }, 15000)) << "no switch balloon for the target";

        EXPECT_LE(shown.size(), 255u);
        const std::vector<std::wstring> lines = Lines(shown);
        ASSERT_EQ(lines.size(), 7u) << shown.c_str();
        EXPECT_EQ(lines[1], L"【システム】64bit");
        EXPECT_EQ(lines[2], std::wstring(L"【実行ファイル名】") + kFileName);
        EXPECT_TRUE(StartsWith(lines[3], L"【実行ファイル名(フルパス)】C:\\…\\")) << lines[3].c_str();
        EXPECT_TRUE(EndsWith(lines[3], std::wstring(L"\\") + kFileName)) << lines[3].c_str();
        EXPECT_TRUE(StartsWith(lines[4], L"【ウインドウ ハンドル】0x")) << lines[4].c_str();
        EXPECT_EQ(lines[5], std::wstring(L"【ウインドウ クラス名】") + kClassName);
        EXPECT_TRUE(StartsWith(lines[6], L"【ウィンドウ タイトル】【共有】2026年度")) << lines[6].c_str();
        EXPECT_TRUE(EndsWith(lines[6], L"…")) << lines[6].c_str();
    }
    ::PostMessageW(main, WM_COMMAND, IDM_EXIT, 0);
    int code = 1;
    EXPECT_TRUE(tolv->WaitForExit(15000, code));
    EXPECT_EQ(code, Tolv::kExitNormal);
}

} // namespace
