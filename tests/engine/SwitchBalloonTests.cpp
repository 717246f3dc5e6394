// The switch balloon as the shell is handed it: the engine's words through the
// tray icon's own record, for targets whose facts do not fit the balloon.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "configuration/CIme.h"
#include "configuration/CNotify.h"
#include "engine/SwitchNotification.h"
#include "flib/window/CTaskTrayIcon.h"
#include "tests/support/TextLines.h"

namespace {

using Configuration::CIme;
using Configuration::CNotify;
using Engine::Balloon;
using Engine::TargetWindowInfo;
using Flib::Windows::Window::CTaskTrayIcon;
using TolvTest::Lines;

const HINSTANCE kStrings = ::GetModuleHandleW(nullptr);
const std::wstring kEmoji = L"\U0001F600";
constexpr wchar_t kEllipsis = L'\u2026';

// The labels of the seven lines, in their order.
const wchar_t* const kLabels[] = {
    L"【プロセスID】",          L"【システム】",          L"【実行ファイル名】",       L"【実行ファイル名(フルパス)】",
    L"【ウインドウ ハンドル】0x", L"【ウインドウ クラス名】", L"【ウィンドウ タイトル】",
};
constexpr std::size_t kPathLine = 3;
constexpr std::size_t kTitleLine = 6;

// The balloon records the shell received.
std::vector<NOTIFYICONDATAW> handed;

BOOL WINAPI RecordBalloons(DWORD message, PNOTIFYICONDATAW data)
{
    if (message == NIM_MODIFY && (data->uFlags & NIF_INFO) != 0) {
        handed.push_back(*data);
    }
    return TRUE;
}

struct Shown {
    std::wstring title;
    std::wstring text;
};

// What the shell is given for one switch, or for a switch whose keys the system refused.
Shown HandToTheShell(const TargetWindowInfo& target, const std::wstring& slotName, bool keysSent = true)
{
    CNotify notify;
    notify.SetShowProcessId(1);
    notify.SetShowSubSystem(1);
    notify.SetShowFileName(1);
    notify.SetShowFullPath(1);
    notify.SetShowWindowHandle(1);
    notify.SetShowClassName(1);
    notify.SetShowWindowText(1);
    handed.clear();
    {
        CTaskTrayIcon icon;
        icon.SetNotifier(RecordBalloons);
        const auto show = [&](Balloon balloon) { icon.ShowTrayBalloon(balloon.title, balloon.text); };
        if (keysSent) {
            Engine::NotifySwitch(kStrings, notify, true, target, CIme(slotName, {VK_KANJI}), show);
        } else {
            Engine::NotifyKeysNotSent(kStrings, notify, true, target, show);
        }
    }
    if (handed.size() != 1) {
        ADD_FAILURE() << handed.size() << " balloon records instead of one";
        return Shown{};
    }
    const NOTIFYICONDATAW& record = handed[0];
    EXPECT_LT(std::wcslen(record.szInfoTitle), sizeof(record.szInfoTitle) / sizeof(wchar_t));
    EXPECT_LT(std::wcslen(record.szInfo), sizeof(record.szInfo) / sizeof(wchar_t));
    return Shown{record.szInfoTitle, record.szInfo};
}

// Where a half of a surrogate pair stands alone, or npos.
std::size_t BrokenCharacter(const std::wstring& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool high = IS_HIGH_SURROGATE(text[i]);
        const bool low = IS_LOW_SURROGATE(text[i]);
        if (high && (i + 1 == text.size() || !IS_LOW_SURROGATE(text[i + 1]))) {
            return i;
        }
        if (low && (i == 0 || !IS_HIGH_SURROGATE(text[i - 1]))) {
            return i;
        }
    }
    return std::wstring::npos;
}

bool StartsWith(const std::wstring& text, const std::wstring& start) { return text.compare(0, start.size(), start) == 0; }
bool EndsWith(const std::wstring& text, const std::wstring& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The value is whole, or its beginning followed by "…".
::testing::AssertionResult KeptOrShortenedAtTheEnd(const std::wstring& shown, const std::wstring& value)
{
    if (shown == value) {
        return ::testing::AssertionSuccess();
    }
    if (shown.size() >= 2 && shown.back() == kEllipsis && StartsWith(value, shown.substr(0, shown.size() - 1))) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "neither the value nor its beginning with an ellipsis";
}

// The path is whole, or its drive, "…" and an end of it that holds the whole
// file name (only the end of the name when the name alone is too long).
::testing::AssertionResult KeptOrShortenedInTheMiddle(const std::wstring& shown, const std::wstring& path)
{
    if (shown == path) {
        return ::testing::AssertionSuccess();
    }
    const std::wstring drive = path.substr(0, 3);
    const std::wstring name = path.substr(path.rfind(L'\\'));
    const std::wstring end = shown.substr(std::min(shown.size(), drive.size() + 1));
    if (StartsWith(shown, drive + kEllipsis) && EndsWith(path, end) &&
        (EndsWith(end, name) || end.find(L'\\') == std::wstring::npos)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "not the drive, an ellipsis and the path's end with its file name";
}

TargetWindowInfo Target(const std::wstring& path, const std::wstring& title,
                        const std::wstring& className = L"Chrome_WidgetWin_1")
{
    TargetWindowInfo target;
    target.processId = 4242;
    target.fullPath = path;
    target.fileName = path.substr(path.rfind(L'\\') + 1);
    target.isWow64 = FALSE;
    target.windowHandle = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234ABCD));
    target.className = className;
    target.windowText = title;
    return target;
}

std::wstring Repeat(const std::wstring& piece, std::size_t count)
{
    std::wstring text;
    for (std::size_t i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

// Folders of ten characters, then the file name.
std::wstring LongPath(std::size_t length, const std::wstring& name)
{
    std::wstring path = L"C:\\";
    for (int folder = 0; path.size() + 10 + name.size() < length; ++folder) {
        path += L"folder" + std::to_wstring(1000 + folder).substr(1) + L"\\";
    }
    path += std::wstring(length - path.size() - name.size(), L'x') + name;
    return path;
}

struct TargetCase {
    std::string name;
    std::wstring path;
    std::wstring title;
    std::wstring slotName;
    bool pathShortened;
    bool titleShortened;
    std::wstring className = L"Chrome_WidgetWin_1";
};

std::vector<TargetCase> TargetCases()
{
    const std::wstring longPath = LongPath(300, L"\\chrome.exe");
    std::vector<TargetCase> cases = {
        {"short", L"C:\\Windows\\notepad.exe", L"無題 - メモ帳", L"日本語入力", false, false},
        {"300-character path", longPath, L"無題 - メモ帳", L"IME-1", true, false},
        {"2000-character title", L"C:\\Windows\\notepad.exe", std::wstring(2000, L't'), L"IME-1", false, true},
        {"both long", longPath, std::wstring(2000, L't'), L"IME-1", true, true},
        {"Japanese", L"C:\\Users\\山田太郎\\ドキュメント\\仕事用の道具\\テキスト エディター\\エディター.exe",
         Repeat(L"日本語の長いウィンドウ タイトル、", 40), std::wstring(80, L'語'), false, true},
        {"a title with line breaks", L"C:\\Windows\\notepad.exe", L"一行目\r\n二行目\t三", L"IME-1", false, false},
    };
    // Emoji everywhere a value is cut: other lengths of the class name move the
    // common length, so each cut lands once inside a pair and once between two.
    for (std::size_t titleShift = 0; titleShift < 2; ++titleShift) {
        for (std::size_t classShift = 0; classShift < 4; ++classShift) {
            cases.push_back({"emoji, shifted by " + std::to_string(titleShift) + " in the title and " +
                                 std::to_string(classShift) + " in the class name",
                             L"C:\\" + Repeat(kEmoji, 20) + L"\\" + Repeat(kEmoji, 150) + L".exe",
                             std::wstring(titleShift, L't') + Repeat(kEmoji, 1000),
                             std::wstring(titleShift, L's') + Repeat(kEmoji, 40), true, true,
                             L"Chrome_WidgetWin_1" + std::wstring(classShift, L'c')});
        }
    }
    return cases;
}

TEST(SwitchBalloon, EveryLineAndTheWholeTitleLabelReachTheShellWithinItsLimits)
{
    for (const TargetCase& c : TargetCases()) {
        SCOPED_TRACE(c.name);
        const TargetWindowInfo target = Target(c.path, c.title, c.className);
        const Shown shown = HandToTheShell(target, c.slotName);

        EXPECT_EQ(BrokenCharacter(shown.title), std::wstring::npos);
        EXPECT_EQ(BrokenCharacter(shown.text), std::wstring::npos);
        const std::wstring titleStart = L"IMEを『";
        const std::wstring titleEnd = L"』に切り替えました";
        ASSERT_TRUE(StartsWith(shown.title, titleStart) && EndsWith(shown.title, titleEnd)) << shown.title.c_str();
        EXPECT_TRUE(KeptOrShortenedAtTheEnd(
            shown.title.substr(titleStart.size(), shown.title.size() - titleStart.size() - titleEnd.size()),
            c.slotName));
        EXPECT_LE(shown.title.size(), 63u);

        const std::vector<std::wstring> lines = Lines(shown.text);
        ASSERT_EQ(lines.size(), 7u) << shown.text.c_str();
        std::vector<std::wstring> values;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            ASSERT_TRUE(StartsWith(lines[i], kLabels[i])) << lines[i].c_str();
            values.push_back(lines[i].substr(std::wcslen(kLabels[i])));
        }
        EXPECT_EQ(values[0], L"4242");
        EXPECT_EQ(values[1], L"64bit");
        EXPECT_EQ(values[4], L"000000001234ABCD");
        EXPECT_TRUE(KeptOrShortenedAtTheEnd(values[2], target.fileName));
        EXPECT_TRUE(KeptOrShortenedInTheMiddle(values[kPathLine], c.path)) << values[kPathLine].c_str();
        EXPECT_EQ(values[kPathLine] != c.path, c.pathShortened) << values[kPathLine].c_str();
        EXPECT_EQ(values[5], c.className);

        std::wstring title = c.title;
        for (wchar_t& ch : title) {
            ch = ch < L' ' ? L' ' : ch;
        }
        EXPECT_TRUE(KeptOrShortenedAtTheEnd(values[kTitleLine], title)) << values[kTitleLine].c_str();
        EXPECT_EQ(values[kTitleLine] != title, c.titleShortened) << values[kTitleLine].c_str();
        if (c.pathShortened || c.titleShortened) {
            // The longest value gives way first, and no further than it must.
            EXPECT_GE(shown.text.size(), 240u);
            EXPECT_LE(shown.text.size(), 255u);
        }
        if (c.pathShortened && c.titleShortened) {
            EXPECT_GE(values[kTitleLine].size() + 1, values[kPathLine].size());
        }
    }
}

TEST(SwitchBalloon, RefusedKeysKeepTheirMessageAndShortenTheDetailsBelowIt)
{
    const std::wstring path = LongPath(300, L"\\admin-tool.exe");
    const Shown shown = HandToTheShell(Target(path, std::wstring(2000, L't')), L"IME-1", false);

    EXPECT_EQ(shown.title, L"IMEの切り替えに失敗しました");
    const std::vector<std::wstring> lines = Lines(shown.text);
    ASSERT_EQ(lines.size(), 9u) << shown.text.c_str();
    EXPECT_EQ(lines[0], L"キー入力を送信できませんでした");
    EXPECT_EQ(lines[1], L"管理者として実行されているウィンドウには切り替えられない場合があります");
    EXPECT_TRUE(StartsWith(lines[2 + kPathLine], kLabels[kPathLine]));
    EXPECT_TRUE(EndsWith(lines[2 + kPathLine], L"\\admin-tool.exe")) << lines[2 + kPathLine].c_str();
    EXPECT_TRUE(StartsWith(lines[2 + kTitleLine], std::wstring(kLabels[kTitleLine]) + L"ttt"));
    EXPECT_EQ(lines[2 + kTitleLine].back(), kEllipsis);
}

} // namespace
