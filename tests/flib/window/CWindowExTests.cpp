// The creation handshake on real windows: binding through the creation parameter, the event.
#include <gtest/gtest.h>

#include <stdexcept>
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
    HWND handle; // the object's, when the message arrived
    WPARAM wParam;
    LPARAM lParam;
};

// Records what reaches it; answers WM_CREATE with `createResult`.
class RecordingWindow : public CWindowEx {
public:
    std::vector<Seen> seen;
    LRESULT createResult = 0;
    bool throwAtCreate = false;
    // What WM_NCCREATE and WM_CREATE carried, read while their CREATESTRUCTW is alive.
    std::wstring ncCreateTitle;
    int ncCreateWidth = 0;
    void* createParam = nullptr;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back({message, GetHandle(), wParam, lParam});
        if (message == WM_NCCREATE) {
            const auto* params = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            ncCreateTitle = params->lpszName;
            ncCreateWidth = params->cx;
        }
        if (message == WM_CREATE) {
            createParam = reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams;
            if (throwAtCreate) {
                throw std::runtime_error("creation failed");
            }
            return createResult;
        }
        return CWindowEx::HandleMessage(message, wParam, lParam);
    }
};

const Seen* Find(const std::vector<Seen>& seen, UINT message)
{
    for (const Seen& s : seen) {
        if (s.message == message) {
            return &s;
        }
    }
    return nullptr;
}

class HandshakeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_NE(TolvTest::RegisterTestWindowClass(kClassName, StaticWindowProc), 0);
    }

    void SetUp() override { object.SetInstance(::GetModuleHandleW(nullptr)); }

    void TearDown() override { object.Destroy(); }

    HWND Create()
    {
        return CreateWindowExBound(object, 0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                   nullptr);
    }

    // Signalled exactly once: one wait passes at once, the next does not.
    static void ExpectEventSignalledOnce()
    {
        ASSERT_NE(CreationEvent(), nullptr);
        EXPECT_EQ(::WaitForSingleObject(CreationEvent(), 0), WAIT_OBJECT_0);
        EXPECT_EQ(::WaitForSingleObject(CreationEvent(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
        ::SetEvent(CreationEvent());
    }

    RecordingWindow object;
};

TEST_F(HandshakeTest, TheObjectGetsEveryMessageFromNcCreateOnWithItsOwnParameters)
{
    HWND window = Create();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(object.GetHandle(), window);

    ASSERT_FALSE(object.seen.empty());
    EXPECT_EQ(object.seen.front().message, static_cast<UINT>(WM_NCCREATE)) << "a message reached it before binding";
    for (const Seen& s : object.seen) {
        EXPECT_EQ(s.handle, window) << "message " << s.message << " came before the handle was bound";
    }
    EXPECT_EQ(object.ncCreateTitle, kTitle);
    EXPECT_EQ(object.ncCreateWidth, 200);
    ASSERT_NE(Find(object.seen, WM_CREATE), nullptr) << "WM_CREATE never reached the object";
    EXPECT_EQ(object.createParam, static_cast<void*>(static_cast<CWindowEx*>(&object)));

    // The class procedure stays and keeps routing.
    EXPECT_EQ(::GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&StaticWindowProc));
    object.seen.clear();
    ::SendMessageW(window, WM_USER + 7, 1, 2);
    ASSERT_EQ(object.seen.size(), 1u);
    EXPECT_EQ(object.seen[0].message, static_cast<UINT>(WM_USER + 7));
    EXPECT_EQ(object.seen[0].wParam, 1u);
    EXPECT_EQ(object.seen[0].lParam, 2);
}

TEST_F(HandshakeTest, TwoWindowsOfTheClassEachReachTheirOwnObject)
{
    RecordingWindow other;
    other.SetInstance(::GetModuleHandleW(nullptr));
    HWND first = Create();
    HWND second = CreateWindowExBound(other, 0, kClassName, L"other", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr,
                                      nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    object.seen.clear();
    other.seen.clear();
    ::SendMessageW(second, WM_USER + 1, 0, 0);
    ::SendMessageW(first, WM_USER + 2, 0, 0);
    ASSERT_EQ(object.seen.size(), 1u);
    EXPECT_EQ(object.seen[0].message, static_cast<UINT>(WM_USER + 2));
    ASSERT_EQ(other.seen.size(), 1u);
    EXPECT_EQ(other.seen[0].message, static_cast<UINT>(WM_USER + 1));
    other.Destroy();
}

TEST_F(HandshakeTest, ALaterCreationMessageDoesNotRebindTheWindow)
{
    HWND window = Create();
    ASSERT_NE(window, nullptr);
    RecordingWindow impostor;
    CREATESTRUCTW forged{};
    forged.lpCreateParams = static_cast<CWindowEx*>(&impostor);
    forged.lpszName = L"forged";
    ::SendMessageW(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&forged));
    ::SendMessageW(window, WM_USER + 3, 0, 0);
    EXPECT_TRUE(impostor.seen.empty()) << "the forged object took the window over";
    EXPECT_NE(Find(object.seen, WM_USER + 3), nullptr);
}

TEST_F(HandshakeTest, AWindowOfTheClassMadeWithoutAnObjectGetsTheDefaultHandling)
{
    HWND plain = ::CreateWindowExW(0, kClassName, L"plain", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_TRUE(::SetWindowTextW(plain, L"set"));
    wchar_t text[16] = {};
    ::GetWindowTextW(plain, text, 16);
    EXPECT_EQ(std::wstring(text), L"set");
    EXPECT_TRUE(::DestroyWindow(plain));
    EXPECT_TRUE(object.seen.empty());
}

TEST_F(HandshakeTest, EventIsLeftSignalledOnceAfterSuccess)
{
    ASSERT_NE(Create(), nullptr);
    ExpectEventSignalledOnce();
}

TEST_F(HandshakeTest, EventIsLeftSignalledOnceWhenCreateHandlerFails)
{
    for (const bool throws : {false, true}) {
        object.createResult = throws ? 0 : -1;
        object.throwAtCreate = throws;
        EXPECT_EQ(Create(), nullptr) << (throws ? "thrown" : "-1");
        EXPECT_EQ(object.GetHandle(), nullptr);
        ExpectEventSignalledOnce();
    }

    // A following creation is not held up.
    object.createResult = 0;
    object.throwAtCreate = false;
    EXPECT_NE(Create(), nullptr);
    ExpectEventSignalledOnce();
}

TEST(CreationEventTest, IsTheNamedAutoResetEventCreatedBeforeMain)
{
    ASSERT_NE(CreationEvent(), nullptr);
    HANDLE opened = ::OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, L"Flib::Window::CWindowEx");
    ASSERT_NE(opened, nullptr);
    // Through the other handle: auto-reset, so one wait consumes the signal.
    EXPECT_EQ(::WaitForSingleObject(opened, 0), WAIT_OBJECT_0);
    EXPECT_EQ(::WaitForSingleObject(CreationEvent(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ::SetEvent(opened);
    ::CloseHandle(opened);
}

} // namespace
