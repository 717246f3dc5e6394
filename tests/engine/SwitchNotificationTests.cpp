// The switch balloon's title and text, worded from the real string table.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "configuration/CIme.h"
#include "configuration/CNotify.h"
#include "engine/SwitchNotification.h"
#include "tests/support/TextLines.h"

namespace {

using Configuration::CIme;
using Configuration::CNotify;
using Engine::Balloon;
using Engine::NotificationDetails;
using Engine::NotifySwitch;
using Engine::TargetWindowInfo;
using TolvTest::Lines;

const HWND kHandle = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234ABCD));

TargetWindowInfo Notepad()
{
    TargetWindowInfo target;
    target.processId = 4242;
    target.fileName = L"notepad.exe";
    target.fullPath = L"C:\\Windows\\notepad.exe";
    target.isWow64 = TRUE;
    target.windowHandle = kHandle;
    target.threadId = 77;
    target.className = L"Notepad";
    target.windowText = L"無題 - メモ帳";
    return target;
}

CNotify Items(bool on)
{
    CNotify notify;
    notify.SetShowProcessId(on);
    notify.SetShowSubSystem(on);
    notify.SetShowFileName(on);
    notify.SetShowFullPath(on);
    notify.SetShowWindowHandle(on);
    notify.SetShowClassName(on);
    notify.SetShowWindowText(on);
    return notify;
}

const HINSTANCE kStrings = ::GetModuleHandleW(nullptr);
constexpr std::size_t kRoom = 255;

TEST(NotifySwitch, AllItemsGiveSevenLinesInOrderAndTheSlotsNameInTheTitle)
{
    std::vector<Balloon> shown;
    NotifySwitch(kStrings, Items(true), true, Notepad(), CIme(L"日本語入力", {VK_KANJI}),
                 [&](Balloon balloon) { shown.push_back(balloon); });

    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, L"IMEを『日本語入力』に切り替えました");
    ASSERT_NE(shown[0].text.back(), L'\n');
    const std::vector<std::wstring> lines = Lines(shown[0].text);
    ASSERT_EQ(lines.size(), 7u) << shown[0].text.c_str();
    EXPECT_EQ(lines[0], L"【プロセスID】4242");
    EXPECT_EQ(lines[1], L"【システム】32bit(WOW64)");
    EXPECT_EQ(lines[2], L"【実行ファイル名】notepad.exe");
    EXPECT_EQ(lines[3], L"【実行ファイル名(フルパス)】C:\\Windows\\notepad.exe");
    const std::wstring handlePrefix = L"【ウインドウ ハンドル】0x";
    ASSERT_EQ(lines[4].compare(0, handlePrefix.size(), handlePrefix), 0) << lines[4].c_str();
    const std::wstring digits = lines[4].substr(handlePrefix.size());
    EXPECT_EQ(digits.find_first_not_of(L"0123456789ABCDEFabcdef"), std::wstring::npos) << digits.c_str();
    EXPECT_EQ(std::wcstoull(digits.c_str(), nullptr, 16), 0x1234ABCDull);
    EXPECT_EQ(lines[5], L"【ウインドウ クラス名】Notepad");
    EXPECT_EQ(lines[6], L"【ウィンドウ タイトル】無題 - メモ帳");
}

TEST(NotificationDetails, ChosenItemsOnly)
{
    TargetWindowInfo untitled = Notepad();
    untitled.windowText.clear();
    CNotify titleOnly = Items(false);
    titleOnly.SetShowWindowText(1);
    CNotify pathAndClass = Items(false);
    pathAndClass.SetShowFullPath(1);
    pathAndClass.SetShowClassName(1);

    const struct {
        const char* name;
        CNotify notify;
        TargetWindowInfo target;
        std::wstring expected;
    } cases[] = {
        {"only the title, which is empty", titleOnly, untitled, L"【ウィンドウ タイトル】"},
        {"two items keep the table's order", pathAndClass, Notepad(),
         L"【実行ファイル名(フルパス)】C:\\Windows\\notepad.exe\n【ウインドウ クラス名】Notepad"},
        {"all off", Items(false), Notepad(), L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NotificationDetails(kStrings, c.notify, true, c.target, kRoom), c.expected) << c.name;
    }
}

TEST(NotificationDetails, SystemLabelFollowsTheSystemAndTheProcess)
{
    CNotify systemOnly = Items(false);
    systemOnly.SetShowSubSystem(1);
    const struct {
        bool is64BitSystem;
        BOOL isWow64;
        const wchar_t* expected;
    } cases[] = {
        {false, TRUE, L"【システム】32bit"},
        {false, FALSE, L"【システム】32bit"},
        {true, FALSE, L"【システム】64bit"},
        {true, TRUE, L"【システム】32bit(WOW64)"},
    };
    for (const auto& c : cases) {
        TargetWindowInfo target = Notepad();
        target.isWow64 = c.isWow64;
        EXPECT_EQ(NotificationDetails(kStrings, systemOnly, c.is64BitSystem, target, kRoom), c.expected)
            << "64-bit system " << c.is64BitSystem << ", WOW64 " << c.isWow64;
    }
}

} // namespace
