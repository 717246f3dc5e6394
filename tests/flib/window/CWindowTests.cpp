// CWindow slots whose logic is the library's own, on real windows.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "flib/window/CWindow.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"
#include "tests/support/TestWindows.h"

namespace {

using Flib::Windows::Window::CWindow;
using Flib::Windows::Window::LoadResourceString;

constexpr wchar_t kClassName[] = L"TolvTestPlainWindow";
std::vector<UINT> received;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    received.push_back(message);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class CWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Suites derived from this one register again.
        if (TolvTest::RegisterTestWindowClass(kClassName, RecordingProc) == 0) {
            ASSERT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
        }
    }

    HWND Make(DWORD style, HWND parent = nullptr, int x = 40, int y = 50, int cx = 400, int cy = 300)
    {
        HWND window = ::CreateWindowExW(0, kClassName, L"test", style, x, y, cx, cy, parent, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
        made.push_back(window);
        return window;
    }

    void TearDown() override
    {
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            ::DestroyWindow(*it);
        }
    }

    std::vector<HWND> made;
};

TEST_F(CWindowTest, GetPlacementFillsAZeroLength)
{
    CWindow window;
    window.SetHandle(Make(WS_OVERLAPPEDWINDOW));
    WINDOWPLACEMENT placement{};
    EXPECT_TRUE(window.GetPlacement(&placement));
    EXPECT_EQ(placement.length, 44u);
    EXPECT_EQ(placement.rcNormalPosition.left, 40);
}

TEST_F(CWindowTest, SetClientSizeAddsTheFrameWithoutMoving)
{
    CWindow window;
    window.SetHandle(Make(WS_OVERLAPPEDWINDOW));
    RECT before{};
    window.GetWindowRect(&before);

    EXPECT_TRUE(window.SetClientSize(300, 200));

    RECT client{};
    RECT after{};
    window.GetClientRect(&client);
    window.GetWindowRect(&after);
    EXPECT_EQ(client.right - client.left, 300);
    EXPECT_EQ(client.bottom - client.top, 200);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
}

TEST_F(CWindowTest, SetIconsWithNullsSendsNothingAndSucceeds)
{
    CWindow window;
    window.SetHandle(Make(WS_OVERLAPPEDWINDOW));
    received.clear();
    EXPECT_TRUE(window.SetIcons(nullptr, nullptr));
    EXPECT_EQ(std::count(received.begin(), received.end(), static_cast<UINT>(WM_SETICON)), 0);

    HICON icon = ::LoadIconW(nullptr, IDI_APPLICATION);
    window.SetIcons(icon, nullptr);
    EXPECT_EQ(std::count(received.begin(), received.end(), static_cast<UINT>(WM_SETICON)), 1);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(window.GetHandle(), WM_GETICON, ICON_SMALL, 0)), icon);
}

TEST_F(CWindowTest, GetParentCachedKeepsTheFirstParent)
{
    HWND first = Make(WS_OVERLAPPEDWINDOW);
    HWND second = Make(WS_OVERLAPPEDWINDOW);
    CWindow child;
    child.SetHandle(Make(WS_CHILD, first, 0, 0, 20, 20));

    EXPECT_EQ(child.GetParentCached(), first);
    ::SetParent(child.GetHandle(), second); // behind the object's back
    EXPECT_EQ(child.GetParentCached(), first);
    EXPECT_EQ(child.GetParent(), second);

    child.SetParent(first);
    EXPECT_EQ(child.GetParentCached(), first);
}

TEST_F(CWindowTest, DestroyNullsTheHandleAndIsHarmlessTwice)
{
    CWindow window;
    HWND handle = Make(WS_OVERLAPPEDWINDOW);
    made.pop_back();
    window.SetHandle(handle);
    EXPECT_TRUE(window.Destroy());
    EXPECT_EQ(window.GetHandle(), nullptr);
    EXPECT_FALSE(::IsWindow(handle));
    EXPECT_FALSE(window.Destroy());
}

TEST_F(CWindowTest, SecondMakeFontReleasesTheFirst)
{
    CWindow window;
    window.SetHandle(Make(WS_OVERLAPPEDWINDOW));
    LOGFONTW font{};
    font.lfHeight = -12;
    HFONT first = window.MakeFont(font, FALSE);
    ASSERT_NE(first, nullptr);
    HFONT second = window.MakeFont(font, FALSE);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(::GetObjectType(first), 0u);
    EXPECT_EQ(::GetObjectType(second), static_cast<DWORD>(OBJ_FONT));
}

TEST(LoadResourceStringTest, LoadsTheTitleAndEmptiesForAMissingId)
{
    std::wstring text = L"left over";
    EXPECT_EQ(LoadResourceString(::GetModuleHandleW(nullptr), 49999, text), 0);
    EXPECT_TRUE(text.empty());

    EXPECT_GT(LoadResourceString(::GetModuleHandleW(nullptr), IDS_APP_TITLE, text), 0);
    EXPECT_EQ(text, L"トルヴ : 自動IME切り替え機");
}

class ToolTipTest : public CWindowTest {};

TEST_F(ToolTipTest, DelayKeepsItsLow16BitsAndWideTipsTakeTheScreenWidth)
{
    CWindow window;
    window.SetInstance(::GetModuleHandleW(nullptr));
    window.SetHandle(Make(WS_CHILD | WS_VISIBLE, Make(WS_OVERLAPPEDWINDOW), 0, 0, 50, 20));

    ASSERT_FALSE(window.SetToolTip(L"narrow", false, 70000));
    HWND narrow = window.ToolTips().GetHandle();
    EXPECT_EQ(::SendMessageW(narrow, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 70000 & 0xFFFF);
    EXPECT_EQ(::SendMessageW(narrow, TTM_GETMAXTIPWIDTH, 0, 0), -1);

    ASSERT_FALSE(window.SetToolTipFromResource(IDS_APP_TITLE, true, 5000));
    HWND wide = window.ToolTips().GetHandle();
    EXPECT_NE(wide, narrow);
    EXPECT_EQ(::SendMessageW(wide, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 5000);
    EXPECT_EQ(::SendMessageW(wide, TTM_GETMAXTIPWIDTH, 0, 0), ::GetSystemMetrics(SM_CXSCREEN));

    wchar_t text[128] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = ::GetParent(window.GetHandle());
    tool.uId = reinterpret_cast<UINT_PTR>(window.GetHandle());
    tool.lpszText = text;
    ::SendMessageW(wide, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, L"トルヴ : 自動IME切り替え機");
}

} // namespace
