// tolv.exe started as a process: single instance, first-run prompt, exit codes.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/ExitCodes.h"
#include "flib/Owned.h"
#include "resources/ResourceIds.h"
#include "flib/window/LoadResourceString.h"
#include "tests/support/OpenedUrls.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/TolvProcess.h"
#include "tests/support/Wait.h"

namespace {

using TolvTest::SettingsFileGuard;
using TolvTest::TolvProcess;
using TolvTest::WaitUntil;

constexpr wchar_t kTitle[] = L"トルヴ : 自動IME切り替え機";
constexpr wchar_t kDialogClass[] = L"#32770";
const std::wstring kFirstRunText =
    L"トルヴ を使用するためにはOS側に初期設定が必要です。\n初期設定を行いましたか？\n\n"
    L"はい\u3000\u3000\u3000\u3000：\u3000トルヴを起動します。\n"
    L"いいえ\u3000\u3000\u3000：\u3000初期設定方法を記載したWebページを開きます。\n"
    L"キャンセル\u3000：\u3000トルヴ を終了します。\n";

// A dialog counts once it is shown, that is once its initialisation is done.
HWND WaitForWindow(const TolvProcess& process, const wchar_t* className, const wchar_t* title = kTitle)
{
    HWND found = nullptr;
    const bool mustBeShown = std::wstring(className) == kDialogClass;
    WaitUntil([&] {
        found = process.FindWindowOfProcess(className, title);
        return found != nullptr && (!mustBeShown || ::IsWindowVisible(found));
    });
    return found;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM lParam)
{
    wchar_t className[64] = {};
    ::GetClassNameW(child, className, 64);
    if (std::wstring(className) == L"Static") {
        std::vector<wchar_t> text(static_cast<size_t>(::GetWindowTextLengthW(child)) + 1, L'\0');
        ::GetWindowTextW(child, text.data(), static_cast<int>(text.size()));
        auto* longest = reinterpret_cast<std::wstring*>(lParam);
        if (std::wstring(text.data()).size() > longest->size()) {
            *longest = text.data();
        }
    }
    return TRUE;
}

std::wstring MessageText(HWND box)
{
    std::wstring longest;
    ::EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&longest));
    // A message box may show line feeds as CR LF.
    std::wstring text;
    for (wchar_t c : longest) {
        if (c != L'\r') {
            text += c;
        }
    }
    return text;
}

void Press(HWND box, int button)
{
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
}

int ExitCodeOf(const TolvProcess& process)
{
    int code = 12345;
    EXPECT_TRUE(process.WaitForExit(15000, code)) << "tolv.exe did not end";
    return code;
}

void ExitThroughCommand(const TolvProcess& process, HWND mainWindow)
{
    ::PostMessageW(mainWindow, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(ExitCodeOf(process), Tolv::kExitNormal);
}

class StartupTest : public ::testing::Test {
protected:
    SettingsFileGuard settings;
};

TEST_F(StartupTest, WithASettingsFileStartsHiddenWithoutAPrompt)
{
    settings.Write(L"[System]\r\n");
    TolvProcess tolv;
    HWND main = WaitForWindow(tolv, Tolv::kMainWindowClass);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(tolv.FindWindowOfProcess(kDialogClass, nullptr), nullptr);
    EXPECT_FALSE(::IsWindowVisible(main));
    const LONG_PTR exStyle = ::GetWindowLongPtrW(main, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TOOLWINDOW), WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    ExitThroughCommand(tolv, main);
}

TEST_F(StartupTest, StartsWhileAnotherProgramHoldsTheCreationEvent)
{
    settings.Write(L"[System]\r\n");
    // Any program of the session can open the event by its name and keep it.
    const Flib::OwnedHandle held(::CreateEventW(nullptr, FALSE, FALSE, L"Flib::Window::CWindowEx"));
    ASSERT_TRUE(held);
    ::WaitForSingleObject(held.Get(), 0); // take the signal if it was there already

    TolvProcess tolv;
    HWND main = WaitForWindow(tolv, Tolv::kMainWindowClass);
    ASSERT_NE(main, nullptr) << "tolv waits for the event for ever";
    ExitThroughCommand(tolv, main);
}

TEST_F(StartupTest, SecondInstanceRaisesTheFirstAndExitsMinusOne)
{
    settings.Write(L"[System]\r\n");
    TolvProcess first;
    HWND main = WaitForWindow(first, Tolv::kMainWindowClass);
    ASSERT_NE(main, nullptr);

    HWND other = ::CreateWindowExW(0, L"Static", L"elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 100,
                                   nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == other; }));

    TolvProcess second;
    EXPECT_EQ(ExitCodeOf(second), Tolv::kExitAlreadyRunning);
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == main; }, 3000));
    EXPECT_TRUE(first.Running());

    ::DestroyWindow(other);
    ExitThroughCommand(first, main);
}

TEST_F(StartupTest, AnyWindowWithTheClassAndTitleCountsAsRunning)
{
    settings.Write(L"[System]\r\n");
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = Tolv::kMainWindowClass;
    ASSERT_NE(::RegisterClassExW(&windowClass), 0);
    HWND impostor = ::CreateWindowExW(0, Tolv::kMainWindowClass, kTitle, WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                      nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(impostor, nullptr);

    TolvProcess tolv;
    EXPECT_EQ(ExitCodeOf(tolv), Tolv::kExitAlreadyRunning);
    ::DestroyWindow(impostor);
    ::UnregisterClassW(Tolv::kMainWindowClass, ::GetModuleHandleW(nullptr));
}

struct FirstRunCase {
    const char* name;
    bool directoryAtPath;
    int button;
    bool starts;
    bool opensHelp;
};

void PrintTo(const FirstRunCase& c, std::ostream* out) { *out << c.name; }

std::string HelpAddress()
{
    std::wstring address;
    Flib::Windows::Window::LoadResourceString(::GetModuleHandleW(nullptr), IDS_HELP_URL, address);
    return std::string(address.begin(), address.end()); // plain ASCII
}

class FirstRunTest : public StartupTest, public ::testing::WithParamInterface<FirstRunCase> {};

TEST_P(FirstRunTest, PromptComesBeforeAnyWindowAndTheAnswerDecides)
{
    const FirstRunCase& c = GetParam();
    if (c.directoryAtPath) {
        settings.MakeDirectoryInstead();
    }
    TolvTest::ForgetOpenedUrls();
    TolvProcess tolv;
    HWND box = WaitForWindow(tolv, kDialogClass);
    ASSERT_NE(box, nullptr) << "no first-run prompt";
    EXPECT_EQ(tolv.FindWindowOfProcess(Tolv::kMainWindowClass, nullptr), nullptr);
    EXPECT_EQ(MessageText(box), kFirstRunText);

    Press(box, c.button);
    if (c.starts) {
        HWND main = WaitForWindow(tolv, Tolv::kMainWindowClass);
        ASSERT_NE(main, nullptr);
        ExitThroughCommand(tolv, main);
    } else {
        EXPECT_EQ(ExitCodeOf(tolv), Tolv::kExitDeclinedFirstRun);
    }
    if (TolvTest::OpenedUrlsAreRecorded()) {
        if (c.opensHelp) {
            EXPECT_TRUE(WaitUntil([] { return !TolvTest::OpenedUrls().empty(); }, 5000));
            EXPECT_EQ(TolvTest::OpenedUrls(), std::vector<std::string>{HelpAddress()});
        } else {
            // tolv has ended or is running: an address it opened is on its way before this one.
            const std::string marker = "https://example.invalid/after-the-answer";
            ::ShellExecuteA(nullptr, nullptr, marker.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            ASSERT_TRUE(WaitUntil([] { return !TolvTest::OpenedUrls().empty(); }, 5000));
            EXPECT_EQ(TolvTest::OpenedUrls(), std::vector<std::string>{marker});
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, FirstRunTest,
    ::testing::Values(FirstRunCase{"Yes", false, IDYES, true, false},
                      FirstRunCase{"No", false, IDNO, false, true},
                      FirstRunCase{"Cancel", false, IDCANCEL, false, false},
                      FirstRunCase{"DirectoryAtPathThenCancel", true, IDCANCEL, false, false}),
    [](const ::testing::TestParamInfo<FirstRunCase>& info) { return std::string(info.param.name); });

} // namespace
