// The tray icon on Wine's real notification area: add, re-add, remove, balloons.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "flib/window/CTaskTrayIcon.h"
#include "tests/support/ImportPatch.h"
#include "tests/support/TestWindows.h"
#include "tests/support/TrayClick.h"
#include "tests/flib/window/WindowTestResourceIds.h"
#include "tests/support/Wait.h"

namespace {

using Flib::Windows::Window::CTaskTrayIcon;
using Flib::Windows::Window::kNotifyIconDataSize;
using Flib::Windows::Window::MakeBalloonRecord;

constexpr wchar_t kOwnerClass[] = L"TolvTestTrayOwner";
constexpr UINT kIconId = 101;
constexpr UINT kCallback = WM_APP + 0x65;

struct Callback {
    WPARAM id;
    LPARAM mouse;
};
std::vector<Callback> callbacks;
// The icon the owner window re-adds when the taskbar comes back.
CTaskTrayIcon* ownedIcon = nullptr;

LRESULT CALLBACK TrayOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCallback) {
        callbacks.push_back({wParam, lParam});
        return 0;
    }
    if (message == WM_TIMER && ownedIcon != nullptr && ownedIcon->OnTimer(wParam)) {
        return 0;
    }
    if (ownedIcon != nullptr && ownedIcon->GetTaskbarCreatedMessage() != 0 &&
        message == ownedIcon->GetTaskbarCreatedMessage()) {
        ownedIcon->ReAdd(message, wParam, lParam);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The icon exists for the shell exactly when a plain modify of its identity succeeds.
bool IconShown(HWND owner, UINT id)
{
    NOTIFYICONDATAW identity{};
    identity.cbSize = kNotifyIconDataSize;
    identity.hWnd = owner;
    identity.uID = id;
    return ::Shell_NotifyIconW(NIM_MODIFY, &identity) != FALSE;
}

int IconWidth(HICON icon)
{
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

class TrayIconTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The parameterised suite derived from this one registers again.
        if (TolvTest::RegisterTestWindowClass(kOwnerClass, TrayOwnerProc) == 0) {
            ASSERT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
        }
    }

    void SetUp() override
    {
        callbacks.clear();
        ownedIcon = nullptr;
        // Hidden, as the main window is.
        owner = ::CreateWindowExW(0, kOwnerClass, L"tray owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }

    void TearDown() override
    {
        ownedIcon = nullptr;
        ::DestroyWindow(owner);
    }

    BOOL AddTo(CTaskTrayIcon& icon, const std::wstring& tip = L"トルヴ テスト")
    {
        return icon.Add(::GetModuleHandleW(nullptr), owner, kIconId, kCallback, IDI_TEST_TRAY, tip);
    }

    // True when a right button press on our icon reached the callback.
    static bool RightClickArrives(DWORD timeoutMs)
    {
        callbacks.clear();
        if (!TolvTest::RightClickFirstTrayIcon()) {
            ADD_FAILURE() << "xdotool could not click";
            return false;
        }
        return TolvTest::WaitUntil(
            [] {
                for (const Callback& callback : callbacks) {
                    if (callback.id == kIconId && callback.mouse == WM_RBUTTONDOWN) {
                        return true;
                    }
                }
                return false;
            },
            timeoutMs);
    }

    HWND owner = nullptr;
};

TEST_F(TrayIconTest, AddedIconSitsInTheNotificationAreaAndTheDestructorRemovesIt)
{
    {
        CTaskTrayIcon icon;
        ASSERT_TRUE(AddTo(icon));
        EXPECT_TRUE(IconShown(owner, kIconId));
        EXPECT_TRUE(RightClickArrives(10000)) << "a right click on the icon never reached the callback";
    }
    EXPECT_FALSE(IconShown(owner, kIconId));
    EXPECT_FALSE(RightClickArrives(1500)) << "the icon still answers clicks after its object died";
}

TEST_F(TrayIconTest, AddFillsTheRecordTheShellIsGiven)
{
    CTaskTrayIcon icon;
    const std::wstring longTip(200, L'字');
    ASSERT_TRUE(AddTo(icon, longTip));

    const NOTIFYICONDATAW& data = icon.GetNotifyIconData();
    EXPECT_EQ(data.cbSize, 968u);
    EXPECT_EQ(data.hWnd, owner);
    EXPECT_EQ(data.uID, kIconId);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, kCallback);
    EXPECT_EQ(IconWidth(data.hIcon), 16) << "not the small icon at 100 %";
    EXPECT_EQ(std::wstring(data.szTip), longTip.substr(0, 127));
    EXPECT_EQ(icon.GetTaskbarCreatedMessage(), ::RegisterWindowMessageW(L"TaskbarCreated"));
    EXPECT_NE(icon.GetTaskbarCreatedMessage(), 0u);
}

// What the shell answers to each operation, with the icon shown or already gone.
struct OperationCase {
    const char* name;
    bool shownBefore;
    std::function<BOOL(CTaskTrayIcon&)> operation;
    bool expected;
    bool shownAfter;
};

class TrayOperationTest : public TrayIconTest, public ::testing::WithParamInterface<OperationCase> {};

TEST_P(TrayOperationTest, ReturnsWhatTheShellSays)
{
    const OperationCase& c = GetParam();
    CTaskTrayIcon icon;
    ASSERT_TRUE(AddTo(icon));
    if (!c.shownBefore) {
        ASSERT_TRUE(icon.Remove());
    }
    EXPECT_EQ(c.operation(icon) != FALSE, c.expected);
    EXPECT_EQ(IconShown(owner, kIconId), c.shownAfter);
}

const OperationCase kOperationCases[] = {
    {"RemoveShown", true, [](CTaskTrayIcon& i) { return i.Remove(); }, true, false},
    {"RemoveGone", false, [](CTaskTrayIcon& i) { return i.Remove(); }, false, false},
    {"ReAddShown", true, [](CTaskTrayIcon& i) { return i.ReAdd(0, 0, 0); }, false, true},
    {"ReAddGone", false, [](CTaskTrayIcon& i) { return i.ReAdd(0, 0, 0); }, true, true},
    {"BalloonShown", true, [](CTaskTrayIcon& i) { return i.ShowTrayBalloon(L"題", L"本文"); }, true, true},
    {"BalloonGone", false, [](CTaskTrayIcon& i) { return i.ShowTrayBalloon(L"題", L"本文"); }, false, false},
};

INSTANTIATE_TEST_SUITE_P(Shell, TrayOperationTest, ::testing::ValuesIn(kOperationCases),
                         [](const ::testing::TestParamInfo<OperationCase>& info) { return info.param.name; });

// Records the hook's call and whether the icon was already back at that moment.
class HookedTrayIcon : public CTaskTrayIcon {
public:
    void OnTaskbarCreated(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        calls.push_back({message, wParam, lParam, IconShown(GetNotifyIconData().hWnd, GetNotifyIconData().uID)});
    }
    struct Call {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool iconShown;
    };
    std::vector<Call> calls;
};

TEST_F(TrayIconTest, TaskbarCreatedMessageCallsTheHookAndBringsTheIconBack)
{
    HookedTrayIcon icon;
    ASSERT_TRUE(AddTo(icon));
    ownedIcon = &icon;
    // A new taskbar starts empty; then it broadcasts its message.
    ASSERT_TRUE(icon.Remove());
    ::SendMessageW(owner, icon.GetTaskbarCreatedMessage(), 7, 9);

    ASSERT_EQ(icon.calls.size(), 1u);
    EXPECT_EQ(icon.calls[0].message, icon.GetTaskbarCreatedMessage());
    EXPECT_EQ(icon.calls[0].wParam, 7u);
    EXPECT_EQ(icon.calls[0].lParam, 9);
    EXPECT_FALSE(icon.calls[0].iconShown) << "the hook must run before the icon is added again";
    EXPECT_TRUE(IconShown(owner, kIconId));
    EXPECT_TRUE(RightClickArrives(10000)) << "the re-added icon does not answer clicks";
}

// Every call the icon makes, passed on to the real shell.
struct SentRecord {
    DWORD message;
    NOTIFYICONDATAW data;
    BOOL result;
};
std::vector<SentRecord> sent;

BOOL WINAPI RecordingNotifier(DWORD message, PNOTIFYICONDATAW data)
{
    const BOOL result = ::Shell_NotifyIconW(message, data);
    sent.push_back({message, *data, result});
    return result;
}

TEST_F(TrayIconTest, BalloonModifiesWithTheCopyThenRestoresTheStoredRecord)
{
    CTaskTrayIcon icon;
    icon.SetNotifier(RecordingNotifier);
    ASSERT_TRUE(AddTo(icon));
    sent.clear();

    EXPECT_TRUE(icon.ShowTrayBalloon(L"IME-2", L"notepad.exe"));
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(sent[0].data.uFlags, static_cast<UINT>(NIF_INFO | NIF_REALTIME));
    EXPECT_EQ(std::wstring(sent[0].data.szInfoTitle), L"IME-2");
    EXPECT_EQ(std::wstring(sent[0].data.szInfo), L"notepad.exe");
    EXPECT_EQ(sent[1].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(std::memcmp(&sent[1].data, &icon.GetNotifyIconData(), sizeof(NOTIFYICONDATAW)), 0)
        << "the second modify must send the stored record unchanged";
    EXPECT_EQ(icon.GetNotifyIconData().uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
}

// Windows 10 and 11 keep a notice on screen for seconds and queue later ones;
// a real-time notice behind it would be dropped.
TEST_F(TrayIconTest, SecondBalloonTakesTheFirstAwayBeforeShowingItself)
{
    CTaskTrayIcon icon;
    icon.SetNotifier(RecordingNotifier);
    ASSERT_TRUE(AddTo(icon));
    sent.clear();

    EXPECT_TRUE(icon.ShowTrayBalloon(L"IME-1", L"notepad.exe"));
    EXPECT_TRUE(icon.ShowTrayBalloon(L"IME-2", L"calc.exe"));
    ASSERT_EQ(sent.size(), 5u);
    const SentRecord& removal = sent[2];
    EXPECT_EQ(removal.message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(removal.data.uFlags, static_cast<UINT>(NIF_INFO)) << "a removal is not itself a real-time notice";
    EXPECT_EQ(std::wstring(removal.data.szInfo), L"");
    EXPECT_EQ(std::wstring(removal.data.szInfoTitle), L"");
    EXPECT_EQ(removal.data.hWnd, owner);
    EXPECT_EQ(removal.data.uID, kIconId);
    EXPECT_TRUE(removal.result);
    const SentRecord& second = sent[3];
    EXPECT_EQ(second.message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(second.data.uFlags, static_cast<UINT>(NIF_INFO | NIF_REALTIME));
    EXPECT_EQ(std::wstring(second.data.szInfoTitle), L"IME-2");
    EXPECT_EQ(std::wstring(second.data.szInfo), L"calc.exe");
    EXPECT_EQ(std::memcmp(&sent[4].data, &icon.GetNotifyIconData(), sizeof(NOTIFYICONDATAW)), 0);
}

TEST_F(TrayIconTest, FailedBalloonSkipsTheSecondModifyAndTheDestructorStillDeletes)
{
    {
        CTaskTrayIcon icon;
        icon.SetNotifier(RecordingNotifier);
        ASSERT_TRUE(AddTo(icon));
        ASSERT_TRUE(icon.Remove());
        sent.clear();

        EXPECT_FALSE(icon.ShowTrayBalloon(L"IME-1", L"text"));
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_FALSE(sent[0].result);
        sent.clear();
    }
    // The owner removed the icon already: one more delete, which the shell refuses.
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(sent[0].data.hWnd, owner);
    EXPECT_EQ(sent[0].data.uID, kIconId);
    EXPECT_EQ(sent[0].data.uFlags, 0u);
    EXPECT_EQ(sent[0].data.cbSize, 968u);
    EXPECT_FALSE(sent[0].result);
}

TEST_F(TrayIconTest, OtherIconAndTipReplaceTheShownOnesAndStayForTheNextAdd)
{
    CTaskTrayIcon icon;
    icon.SetNotifier(RecordingNotifier);
    ASSERT_TRUE(AddTo(icon));
    const HICON before = icon.GetNotifyIconData().hIcon;
    sent.clear();

    EXPECT_TRUE(icon.SetIconAndTip(IDI_TEST_TRAY_PAUSED, L"トルヴ (一時停止中)"));
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(sent[0].data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(std::wstring(sent[0].data.szTip), L"トルヴ (一時停止中)");
    EXPECT_NE(sent[0].data.hIcon, before);
    EXPECT_EQ(sent[0].data.hIcon, icon.GetNotifyIconData().hIcon);
    EXPECT_EQ(IconWidth(sent[0].data.hIcon), 16);
    EXPECT_TRUE(IconShown(owner, kIconId));

    // Changed while the taskbar is gone: the new one brings the changed icon back.
    ASSERT_TRUE(icon.Remove());
    EXPECT_FALSE(icon.SetIconAndTip(IDI_TEST_TRAY, L"トルヴ"));
    sent.clear();
    EXPECT_TRUE(icon.ReAdd(0, 0, 0));
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(std::wstring(sent[0].data.szTip), L"トルヴ");
}

// The shell of a logon that is not ready yet: it refuses the first adds.
int refusalsLeft = 0;

BOOL WINAPI RefusingFirstAdds(DWORD message, PNOTIFYICONDATAW data)
{
    if (message == NIM_ADD && refusalsLeft > 0) {
        --refusalsLeft;
        return FALSE;
    }
    return ::Shell_NotifyIconW(message, data);
}

TEST_F(TrayIconTest, RefusedAddIsTriedAgainUntilTheShellTakesTheIcon)
{
    CTaskTrayIcon icon;
    icon.SetNotifier(RefusingFirstAdds);
    ownedIcon = &icon;
    refusalsLeft = 2;
    EXPECT_FALSE(AddTo(icon));
    EXPECT_FALSE(IconShown(owner, kIconId));

    EXPECT_TRUE(TolvTest::WaitUntil([&] { return IconShown(owner, kIconId); }, 20000))
        << "the icon never came after the shell refused it";
    EXPECT_EQ(refusalsLeft, 0);
    EXPECT_FALSE(icon.OnTimer(kIconId)) << "still retrying with the icon shown";
    EXPECT_TRUE(RightClickArrives(10000)) << "the late icon does not answer clicks";
}

TEST_F(TrayIconTest, RetriesEndWithRemoveAndWithATaskbarThatTakesTheIcon)
{
    CTaskTrayIcon icon;
    icon.SetNotifier(RefusingFirstAdds);
    refusalsLeft = 1000;
    EXPECT_FALSE(AddTo(icon));
    EXPECT_TRUE(icon.OnTimer(kIconId)) << "a refused add is not retried";
    EXPECT_FALSE(icon.OnTimer(kIconId + 1)) << "another timer of the owner was taken";
    icon.Remove();
    EXPECT_FALSE(icon.OnTimer(kIconId)) << "a removed icon would come back";

    EXPECT_FALSE(AddTo(icon));
    refusalsLeft = 0;
    EXPECT_TRUE(icon.ReAdd(icon.GetTaskbarCreatedMessage(), 0, 0));
    EXPECT_FALSE(icon.OnTimer(kIconId));
    EXPECT_TRUE(IconShown(owner, kIconId));
}

struct FilterCall {
    HWND window;
    UINT message;
    DWORD action;
};
std::vector<FilterCall> filterCalls;

BOOL WINAPI RecordingFilter(HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT)
{
    filterCalls.push_back({window, message, action});
    return TRUE;
}

// Wine knows no integrity levels: the call itself is what can be seen here.
TEST_F(TrayIconTest, TaskbarCreatedIsLetThroughToAnElevatedOwner)
{
    filterCalls.clear();
    const TolvTest::ImportPatch patch("ChangeWindowMessageFilterEx", reinterpret_cast<void*>(&RecordingFilter));
    ASSERT_GT(patch.Slots(), 0u);
    CTaskTrayIcon icon;
    ASSERT_TRUE(AddTo(icon));
    ASSERT_EQ(filterCalls.size(), 1u);
    EXPECT_EQ(filterCalls[0].window, owner);
    EXPECT_EQ(filterCalls[0].message, ::RegisterWindowMessageW(L"TaskbarCreated"));
    EXPECT_EQ(filterCalls[0].action, static_cast<DWORD>(MSGFLT_ALLOW));
}

// The small-icon size of each scale, from the images the .ico holds.
struct DpiCase {
    const char* name;
    UINT dpi;
    int width;
};

class TrayDpiTest : public TrayIconTest, public ::testing::WithParamInterface<DpiCase> {};

TEST_P(TrayDpiTest, IconIsReloadedAtTheSmallIconSizeOfTheNewDpi)
{
    CTaskTrayIcon icon;
    ASSERT_TRUE(AddTo(icon));
    EXPECT_TRUE(icon.OnDpiChanged(GetParam().dpi));
    EXPECT_EQ(IconWidth(icon.GetNotifyIconData().hIcon), GetParam().width);
    EXPECT_TRUE(IconShown(owner, kIconId));
}

INSTANTIATE_TEST_SUITE_P(Scales, TrayDpiTest,
                         ::testing::Values(DpiCase{"Percent100", 96, 16}, DpiCase{"Percent125", 120, 20},
                                           DpiCase{"Percent150", 144, 24}, DpiCase{"Percent200", 192, 32}),
                         [](const ::testing::TestParamInfo<DpiCase>& info) { return info.param.name; });

// Text of `length` characters whose every position is recognisable.
std::wstring Numbered(size_t length)
{
    std::wstring text;
    for (size_t i = 0; i < length; ++i) {
        text += static_cast<wchar_t>(i % 2 == 0 ? L'あ' + i % 80 : L'A' + i % 26);
    }
    return text;
}

struct CutCase {
    const char* name;
    size_t titleLength;
    size_t textLength;
    size_t keptTitle;
    size_t keptText;
};

class BalloonRecordTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(BalloonRecordTest, CutsTitleAndTextAndKeepsTheIdentity)
{
    const CutCase& c = GetParam();
    NOTIFYICONDATAW stored{};
    stored.cbSize = kNotifyIconDataSize;
    stored.hWnd = reinterpret_cast<HWND>(0x1234);
    stored.uID = kIconId;
    stored.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    stored.uCallbackMessage = kCallback;
    stored.hIcon = reinterpret_cast<HICON>(0x5678);
    std::wcscpy(stored.szTip, L"トルヴ");

    const std::wstring title = Numbered(c.titleLength);
    const std::wstring text = Numbered(c.textLength);
    const NOTIFYICONDATAW balloon = MakeBalloonRecord(stored, title, text);

    EXPECT_EQ(std::wstring(balloon.szInfoTitle), title.substr(0, c.keptTitle));
    EXPECT_EQ(std::wstring(balloon.szInfo), text.substr(0, c.keptText));
    EXPECT_EQ(balloon.uFlags, static_cast<UINT>(NIF_INFO | NIF_REALTIME));
    EXPECT_EQ(balloon.dwInfoFlags, static_cast<DWORD>(0x11));
    EXPECT_EQ(balloon.uTimeout, 3000u);
    EXPECT_EQ(balloon.cbSize, 968u);
    EXPECT_EQ(balloon.hWnd, stored.hWnd);
    EXPECT_EQ(balloon.uID, stored.uID);
    EXPECT_EQ(balloon.uCallbackMessage, stored.uCallbackMessage);
    EXPECT_EQ(balloon.hIcon, stored.hIcon);
    EXPECT_EQ(std::wstring(balloon.szTip), L"トルヴ");
}

const CutCase kCutCases[] = {
    {"Empty", 0, 0, 0, 0},
    {"Short", 5, 40, 5, 40},
    {"ExactlyFull", 63, 255, 63, 255},
    {"OneOver", 64, 256, 63, 255},
    {"FarOver", 500, 4000, 63, 255},
};

INSTANTIATE_TEST_SUITE_P(Limits, BalloonRecordTest, ::testing::ValuesIn(kCutCases),
                         [](const ::testing::TestParamInfo<CutCase>& info) { return info.param.name; });

// Emoji are common in window titles; half of one would show as a broken character.
TEST(BalloonRecord, CutsBeforeAnEmojiThatWouldBeSplitAndKeepsOneThatFits)
{
    const std::wstring emoji = L"\U0001F600";
    const struct {
        size_t before; // characters ahead of the emoji
        size_t keptTitle;
        size_t keptText;
    } cases[] = {
        {61, 63, std::wstring::npos}, // the title ends with the whole emoji
        {62, 62, std::wstring::npos}, // its second half would be the title's 64th character
        {253, 63, 255},               // the text ends with the whole emoji
        {254, 63, 254},               // its second half would be the text's 256th character
    };
    for (const auto& c : cases) {
        const std::wstring text = std::wstring(c.before, L'a') + emoji + L"after";
        const NOTIFYICONDATAW balloon = MakeBalloonRecord(NOTIFYICONDATAW{}, text, text);
        EXPECT_EQ(std::wstring(balloon.szInfoTitle), text.substr(0, c.keptTitle)) << c.before;
        EXPECT_EQ(std::wstring(balloon.szInfo), text.substr(0, c.keptText)) << c.before;
    }
}

} // namespace
