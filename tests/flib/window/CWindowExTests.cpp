// The creation handshake on real windows: binding, procedure swap, the event.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flib/window/CWindowEx.h"
#include "tests/support/TestWindows.h"

namespace {

using Flib::Windows::Window::CreateWindowExBound;
using Flib::Windows::Window::CreationEvent;
using Flib::Windows::Window::CWindowEx;
using Flib::Windows::Window::StaticWindowProc;

constexpr wchar_t kClassName[] = L"TolvTestHandshake";
constexpr wchar_t kTitle[] = L"handshake window";

struct Seen {
    UINT message;
    HWND window;
    LPARAM lParam;
};
std::vector<Seen> seen;
LRESULT createResult = 0;
// What WM_NCCREATE carried, read while its CREATESTRUCTW is alive.
std::wstring ncCreateTitle;
int ncCreateWidth = 0;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    seen.push_back({message, window, lParam});
    if (message == WM_NCCREATE) {
        const auto* params = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ncCreateTitle = params->lpszName;
        ncCreateWidth = params->cx;
    }
    if (message == WM_CREATE) {
        return createResult;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class HandshakeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_NE(TolvTest::RegisterTestWindowClass(kClassName, StaticWindowProc), 0);
    }

    void SetUp() override
    {
        seen.clear();
        ncCreateTitle.clear();
        createResult = 0;
        object.SetInstance(::GetModuleHandleW(nullptr));
        object.SetWindowProc(RecordingProc);
    }

    void TearDown() override { object.Destroy(); }

    HWND Create()
    {
        return CreateWindowExBound(object, 0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                   nullptr);
    }

    // Signalled exactly once: one wait passes at once, the next does not.
    static void ExpectEventSignalledOnce()
    {
        ASSERT_NE(CreationEvent, nullptr);
        EXPECT_EQ(::WaitForSingleObject(CreationEvent, 0), WAIT_OBJECT_0);
        EXPECT_EQ(::WaitForSingleObject(CreationEvent, 0), static_cast<DWORD>(WAIT_TIMEOUT));
        ::SetEvent(CreationEvent);
    }

    CWindowEx object;
};

TEST_F(HandshakeTest, CreateHandlerReceivesItsObjectAndEarlierMessagesArriveUnchanged)
{
    HWND window = Create();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(object.GetHandle(), window);

    size_t create = seen.size();
    for (size_t i = 0; i < seen.size(); ++i) {
        if (seen[i].message == WM_CREATE) {
            create = i;
            break;
        }
    }
    ASSERT_LT(create, seen.size()) << "WM_CREATE never reached the handler";
    EXPECT_EQ(seen[create].lParam, reinterpret_cast<LPARAM>(&object));
    EXPECT_EQ(seen[create].window, window);

    bool sawNcCreate = false;
    for (size_t i = 0; i < create; ++i) {
        EXPECT_EQ(seen[i].window, window);
        if (seen[i].message == WM_NCCREATE) {
            sawNcCreate = true;
        }
    }
    EXPECT_TRUE(sawNcCreate);
    EXPECT_EQ(ncCreateTitle, kTitle);
    EXPECT_EQ(ncCreateWidth, 200);
}

TEST_F(HandshakeTest, WindowProcedureIsTheApplicationsAfterCreation)
{
    HWND window = Create();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&RecordingProc));

    seen.clear();
    ::SendMessageW(window, WM_USER + 7, 1, 2);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_USER + 7));
}

TEST_F(HandshakeTest, EventIsLeftSignalledOnceAfterSuccess)
{
    ASSERT_NE(Create(), nullptr);
    ExpectEventSignalledOnce();
}

TEST_F(HandshakeTest, EventIsLeftSignalledOnceWhenCreateHandlerFails)
{
    createResult = -1;
    EXPECT_EQ(Create(), nullptr);
    EXPECT_EQ(object.GetHandle(), nullptr);
    ExpectEventSignalledOnce();

    // A following creation is not held up.
    createResult = 0;
    EXPECT_NE(Create(), nullptr);
    ExpectEventSignalledOnce();
}

TEST(CreationEventTest, IsTheNamedAutoResetEventCreatedBeforeMain)
{
    ASSERT_NE(CreationEvent, nullptr);
    HANDLE opened = ::OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, L"Flib::Window::CWindowEx");
    ASSERT_NE(opened, nullptr);
    // Through the other handle: auto-reset, so one wait consumes the signal.
    EXPECT_EQ(::WaitForSingleObject(opened, 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(CreationEvent, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ::SetEvent(opened);
    ::CloseHandle(opened);
}

} // namespace
