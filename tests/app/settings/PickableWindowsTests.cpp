// The windows offered for building a rule, read from the real desktop: which
// top-level windows count, in which order, with which facts and icons, and
// that a window whose program does not answer holds nothing up.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "app/settings/PickableWindows.h"
#include "flib/Owned.h"
#include "target/TargetWindowInfo.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/TestWindows.h"
#include "tests/support/Wait.h"

namespace {

using Tolv::DescribePickableWindows;
using Tolv::PickableWindow;
using Tolv::PickableWindowHandles;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;

constexpr wchar_t kPlainClass[] = L"TolvPickPlain";
constexpr wchar_t kIconClass[] = L"TolvPickWithIcon";
constexpr wchar_t kFrameClass[] = L"ApplicationFrameWindow";
// No process has this id: every window of the desktop is a candidate, this test's own too.
constexpr DWORD kNoProcess = 0;

const HICON kClassSmallIcon = ::LoadIconW(nullptr, IDI_WARNING);

std::size_t PositionOf(const std::vector<HWND>& windows, HWND window)
{
    return static_cast<std::size_t>(std::find(windows.begin(), windows.end(), window) - windows.begin());
}

bool Contains(const std::vector<HWND>& windows, HWND window) { return PositionOf(windows, window) < windows.size(); }

const PickableWindow* RowOf(const std::vector<PickableWindow>& rows, HWND window)
{
    for (const PickableWindow& row : rows) {
        if (row.facts.windowHandle == window) {
            return &row;
        }
    }
    return nullptr;
}

// A top-level window whose thread stops taking messages once it is made, as a
// program that hangs does; it answers again when the object goes.
class HungWindow {
public:
    explicit HungWindow(const wchar_t* className)
        : release_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), thread_([this, className] {
              HWND made = ::CreateWindowExW(0, className, L"応答なし", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 240,
                                            120, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
              window_ = made;
              ::WaitForSingleObject(release_.Get(), INFINITE);
              ::DestroyWindow(made);
          })
    {
        TolvTest::WaitUntil([&] { return window_.load() != nullptr; }, 5000);
    }
    ~HungWindow()
    {
        ::SetEvent(release_.Get());
        thread_.join();
    }
    HungWindow(const HungWindow&) = delete;
    HungWindow& operator=(const HungWindow&) = delete;

    HWND Window() const { return window_; }

private:
    Flib::OwnedHandle release_;
    std::atomic<HWND> window_{nullptr};
    std::thread thread_;
};

class PickableWindowsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        for (const wchar_t* className : {kPlainClass, kFrameClass}) {
            if (TolvTest::RegisterTestWindowClass(className) == 0) {
                ASSERT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
            }
        }
        WNDCLASSEXW withIcon{};
        withIcon.cbSize = sizeof(withIcon);
        withIcon.lpfnWndProc = ::DefWindowProcW;
        withIcon.hInstance = ::GetModuleHandleW(nullptr);
        withIcon.hIconSm = kClassSmallIcon;
        withIcon.lpszClassName = kIconClass;
        if (::RegisterClassExW(&withIcon) == 0) {
            ASSERT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
        }
    }

    void TearDown() override
    {
        // Owned windows first: their owners would take them along.
        for (auto window = made.rbegin(); window != made.rend(); ++window) {
            ::DestroyWindow(*window);
        }
    }

    HWND Make(const wchar_t* className, const std::wstring& title, DWORD style, DWORD exStyle = 0,
              HWND owner = nullptr)
    {
        const HWND window = ::CreateWindowExW(exStyle, className, title.c_str(), style, 60, 60, 240, 120, owner,
                                              nullptr, ::GetModuleHandleW(nullptr), nullptr);
        made.push_back(window);
        return window;
    }

    std::vector<HWND> made;
};

TEST_F(PickableWindowsTest, OtherProcessesWindowsComeFrontFirstWithTheFactsTheEngineSees)
{
    KeyLogProcess back(KeyLogBuild::Native, L"TolvPickBack", L"後ろの窓");
    KeyLogProcess front(KeyLogBuild::Native, L"TolvPickFront", L"前の窓");
    ASSERT_NE(back.Window(), nullptr);
    ASSERT_NE(front.Window(), nullptr);
    // A new window of another process activates itself a moment after it appears,
    // and Wine restacks another process's window a moment after the call: put the
    // window on top until the desktop shows it in front of the other.
    auto broughtBefore = [](const KeyLogProcess& first, const KeyLogProcess& second) {
        return TolvTest::WaitUntil(
            [&] {
                ::SetWindowPos(first.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
                const std::vector<HWND> handles = PickableWindowHandles(::GetCurrentProcessId());
                return Contains(handles, second.Window()) &&
                       PositionOf(handles, first.Window()) < PositionOf(handles, second.Window());
            },
            5000);
    };
    EXPECT_TRUE(broughtBefore(front, back));
    // The order follows the desktop's as it is when the list is read.
    EXPECT_TRUE(broughtBefore(back, front));

    const std::vector<PickableWindow> rows = DescribePickableWindows(::GetCurrentProcessId());
    const PickableWindow* row = RowOf(rows, front.Window());
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->facts.processId, front.Id());
    EXPECT_TRUE(TolvTest::SamePath(row->facts.fullPath, front.ExePath())) << row->facts.fullPath.c_str();
    EXPECT_FALSE(row->facts.fileName.empty());
    EXPECT_EQ(row->facts.fileName, Engine::DescribeWindow(front.Window()).fileName);
    EXPECT_EQ(row->facts.className, L"TolvPickFront");
    EXPECT_EQ(row->facts.windowText, L"前の窓");
}

TEST_F(PickableWindowsTest, LeavesOutThisProcessAndHiddenOwnedAndToolWindows)
{
    struct Case {
        const char* name;
        DWORD style;
        DWORD exStyle;
        bool owned;
        bool listed;
    };
    const HWND owner = Make(kPlainClass, L"持ち主", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(owner, nullptr);
    const Case cases[] = {
        {"plain visible window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, false, true},
        {"visible popup", WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, false, true},
        {"hidden window", WS_OVERLAPPEDWINDOW, 0, false, false},
        {"tool window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, WS_EX_TOOLWINDOW, false, false},
        {"owned window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, false},
        {"owned window on the taskbar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, WS_EX_APPWINDOW, true, false},
    };
    for (const Case& c : cases) {
        const HWND window = Make(kPlainClass, L"候補", c.style, c.exStyle, c.owned ? owner : nullptr);
        ASSERT_NE(window, nullptr) << c.name;
        EXPECT_EQ(Tolv::IsPickable(window), c.listed) << c.name;
        EXPECT_EQ(Contains(PickableWindowHandles(kNoProcess), window), c.listed) << c.name;
        EXPECT_FALSE(Contains(PickableWindowHandles(::GetCurrentProcessId()), window))
            << c.name << ": a window of the skipped process";
    }
    EXPECT_TRUE(Contains(PickableWindowHandles(kNoProcess), owner));
}

// Whatever a window's program does, the icon comes back at once: its own icon
// when it answers, else its class's.
TEST_F(PickableWindowsTest, SmallIconComesFromTheWindowOrItsClassAndAHungWindowHoldsNothingUp)
{
    const HWND answering = Make(kIconClass, L"自前のアイコン", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const HICON own = ::LoadIconW(nullptr, IDI_INFORMATION);
    ::SendMessageW(answering, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(own));
    const HWND classOnly = Make(kIconClass, L"クラスのアイコン", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const HWND none = Make(kPlainClass, L"アイコンなし", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    // Made before the window that does not answer, so that one answers again before a failed wait is joined.
    std::future<std::vector<PickableWindow>> rows;
    HungWindow hung(kIconClass);
    ASSERT_NE(hung.Window(), nullptr);

    EXPECT_EQ(Tolv::SmallIconOf(answering), own);
    EXPECT_EQ(Tolv::SmallIconOf(classOnly), kClassSmallIcon);
    EXPECT_EQ(Tolv::SmallIconOf(none), nullptr);

    // On a thread of its own, so a wait that never ends shows as a failure instead of a stuck test.
    rows = std::async(std::launch::async, [] { return DescribePickableWindows(kNoProcess); });
    ASSERT_TRUE(TolvTest::WaitUntil(
        [&] { return rows.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10000))
        << "reading the windows waited for a window that does not answer";
    const std::vector<PickableWindow> read = rows.get();
    const PickableWindow* row = RowOf(read, hung.Window());
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->icon, kClassSmallIcon);
    EXPECT_EQ(row->facts.windowText, L"応答なし");
    EXPECT_EQ(row->facts.className, kIconClass);
}

TEST_F(PickableWindowsTest, EmptyAndVeryLongTitlesAreRowsWithTheEngineTitle)
{
    const std::wstring longTitle = std::wstring(3000, L'長') + L" - 末尾";
    const HWND longWindow = Make(kPlainClass, longTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const HWND emptyWindow = Make(kPlainClass, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(longWindow, nullptr);
    ASSERT_NE(emptyWindow, nullptr);

    const std::vector<PickableWindow> rows = DescribePickableWindows(kNoProcess);
    const PickableWindow* longRow = RowOf(rows, longWindow);
    const PickableWindow* emptyRow = RowOf(rows, emptyWindow);
    ASSERT_NE(longRow, nullptr);
    ASSERT_NE(emptyRow, nullptr);
    EXPECT_EQ(longRow->facts.windowText, Engine::DescribeWindow(longWindow).windowText);
    EXPECT_GT(longRow->facts.windowText.size(), 1000u);
    EXPECT_EQ(longTitle.rfind(longRow->facts.windowText, 0), 0u) << "the engine's title is the window's from its start";
    EXPECT_EQ(emptyRow->facts.windowText, L"");
    EXPECT_EQ(emptyRow->facts.className, kPlainClass);
}

// A Store app's frame is a row of its own, described as the engine describes it:
// the app's program, the frame's class and title.
TEST_F(PickableWindowsTest, StoreAppFrameShowsTheHostedAppsProgram)
{
    const HWND frame = Make(kFrameClass, L"電卓", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(frame, nullptr);
    KeyLogProcess app(KeyLogBuild::Native, L"Windows.UI.Core.CoreWindow", L"app");
    ASSERT_NE(app.Window(), nullptr);
    ASSERT_NE(::SetParent(app.Window(), frame), nullptr);

    const std::vector<PickableWindow> rows = DescribePickableWindows(kNoProcess);
    const PickableWindow* row = RowOf(rows, frame);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->facts.processId, app.Id());
    EXPECT_TRUE(TolvTest::SamePath(row->facts.fullPath, app.ExePath())) << row->facts.fullPath.c_str();
    EXPECT_EQ(row->facts.className, kFrameClass);
    EXPECT_EQ(row->facts.windowText, L"電卓");
    EXPECT_EQ(RowOf(rows, app.Window()), nullptr) << "the hosted window is no top-level window any more";
    // With the frame goes the app's window, and with it the app.
    ::DestroyWindow(frame);
}

} // namespace
