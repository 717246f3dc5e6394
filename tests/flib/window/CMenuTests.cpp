// Menus from resources, their submenus, and real tracking with keys sent to the open menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "flib/window/CMenu.h"
#include "tests/flib/window/WindowTestResourceIds.h"
#include "tests/support/TestWindows.h"
#include "tests/support/Wait.h"

namespace {

using Flib::Windows::Window::CMenu;

constexpr wchar_t kOwnerClass[] = L"TolvTestMenuOwner";

HINSTANCE Module() { return ::GetModuleHandleW(nullptr); }

// Destroys a menu the test loaded, whatever the assertions did.
struct MenuGuard {
    HMENU menu;
    ~MenuGuard()
    {
        if (menu != nullptr && ::IsMenu(menu)) {
            ::DestroyMenu(menu);
        }
    }
};

std::vector<UINT> ItemIds(HMENU menu)
{
    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        ids.push_back(::GetMenuItemID(menu, i));
    }
    return ids;
}

TEST(CMenuTest, LoadsFromTheResourceAndHandsOutSubmenusWithoutStoringThem)
{
    CMenu menu;
    HMENU loaded = menu.Load(Module(), IDM_TEST_POPUP);
    MenuGuard guard{loaded};
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(menu.GetHandle(), loaded);

    CMenu popup;
    popup.SetHandle(menu.GetSubMenu(0));
    EXPECT_EQ(menu.GetHandle(), loaded) << "GetSubMenu must not replace the stored menu";
    const UINT submenu = static_cast<UINT>(-1);
    EXPECT_EQ(ItemIds(popup.GetHandle()), (std::vector<UINT>{IDM_TEST_FIRST, 0, IDM_TEST_SECOND, submenu}));

    HMENU inner = popup.GetSubMenu(3);
    EXPECT_EQ(ItemIds(inner), std::vector<UINT>{IDM_TEST_INNER});
    EXPECT_EQ(menu.GetSubMenu(1), nullptr) << "the top level has one popup only";
}

TEST(CMenuTest, LoadOfAMissingMenuStoresNull)
{
    CMenu menu;
    menu.SetHandle(reinterpret_cast<HMENU>(0x1));
    EXPECT_EQ(menu.Load(Module(), 999), nullptr);
    EXPECT_EQ(menu.GetHandle(), nullptr);
}

TEST(CMenuTest, TheObjectNeverDestroysItsMenuAndDestroyKeepsTheHandleField)
{
    HMENU loaded = nullptr;
    {
        CMenu menu;
        loaded = menu.Load(Module(), IDM_TEST_POPUP);
        ASSERT_NE(loaded, nullptr);
    }
    MenuGuard guard{loaded};
    EXPECT_TRUE(::IsMenu(loaded)) << "the destructor destroyed the menu";

    CMenu menu;
    menu.SetHandle(loaded);
    EXPECT_TRUE(menu.Destroy());
    EXPECT_FALSE(::IsMenu(loaded));
    EXPECT_EQ(menu.GetHandle(), loaded);
}

TEST(CMenuTest, AttachesTheMenuOfAWindow)
{
    HMENU bar = ::LoadMenuW(Module(), MAKEINTRESOURCEW(IDM_TEST_POPUP));
    ASSERT_NE(bar, nullptr);
    // The window owns its menu bar and destroys it with itself.
    HWND window = ::CreateWindowExW(0, L"STATIC", L"menu bar", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, bar,
                                    Module(), nullptr);
    ASSERT_NE(window, nullptr);
    CMenu menu;
    EXPECT_EQ(menu.AttachWindowMenu(window), bar);
    EXPECT_EQ(menu.GetHandle(), bar);
    ::DestroyWindow(window);
}

// Tracking: the owner learns where the open menu sits when it goes idle and
// presses keys into it then, as a user would.
struct Tracking {
    std::vector<WORD> keys;
    bool keysSent = false;
    RECT menuRect{};
    std::vector<UINT> commands;
};
Tracking* tracking = nullptr;

void PressKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        INPUT up = down;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(down);
        inputs.push_back(up);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

LRESULT CALLBACK MenuOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (tracking != nullptr) {
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU && !tracking->keysSent) {
            tracking->keysSent = true;
            ::GetWindowRect(reinterpret_cast<HWND>(lParam), &tracking->menuRect);
            PressKeys(tracking->keys);
            return 0;
        }
        if (message == WM_COMMAND) {
            tracking->commands.push_back(LOWORD(wParam));
            return 0;
        }
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

struct TrackCase {
    const char* name;
    bool throughTrackPopup; // slot 5, else slot 6 directly
    UINT flags;
    std::vector<WORD> keys;
    BOOL expectedResult;
    std::vector<UINT> expectedCommands;
};

class TrackTest : public ::testing::TestWithParam<TrackCase> {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_NE(TolvTest::RegisterTestWindowClass(kOwnerClass, MenuOwnerProc), 0);
    }

    void TearDown() override { tracking = nullptr; }
};

TEST_P(TrackTest, OpensAtThePointAndReportsTheChosenCommand)
{
    const TrackCase& c = GetParam();
    // Hidden, as the main window is; it takes the foreground first so the menu gets the keys.
    HWND owner = ::CreateWindowExW(0, kOwnerClass, L"menu owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                   nullptr, Module(), nullptr);
    ASSERT_NE(owner, nullptr);
    CMenu menu;
    MenuGuard guard{menu.Load(Module(), IDM_TEST_POPUP)};
    ASSERT_NE(menu.GetHandle(), nullptr);
    CMenu popup;
    popup.SetHandle(menu.GetSubMenu(0));

    Tracking state;
    state.keys = c.keys;
    tracking = &state;
    ::SetForegroundWindow(owner);
    const int x = 210;
    const int y = 160;
    const BOOL result = c.throughTrackPopup ? popup.TrackPopup(c.flags, x, y, 0, owner, nullptr)
                                            : popup.TrackPopupAt(c.flags, x, y, 0, owner, nullptr);
    // A command chosen without TPM_RETURNCMD comes back as a posted WM_COMMAND.
    TolvTest::WaitUntil([&] { return state.commands.size() >= c.expectedCommands.size(); }, 3000);
    // A little longer, so that a command posted where none belongs shows up too.
    TolvTest::WaitUntil([] { return false; }, 100);

    ASSERT_TRUE(state.keysSent) << "the menu never went idle";
    EXPECT_EQ(state.menuRect.left, x);
    EXPECT_EQ(state.menuRect.top, y);
    EXPECT_EQ(result, c.expectedResult);
    EXPECT_EQ(state.commands, c.expectedCommands);
    ::DestroyWindow(owner);
}

const TrackCase kTrackCases[] = {
    {"ReturnedFirstItem", true, TPM_RETURNCMD, {VK_DOWN, VK_RETURN}, IDM_TEST_FIRST, {}},
    {"ReturnedItemPastTheSeparator", false, TPM_RETURNCMD, {VK_DOWN, VK_DOWN, VK_RETURN}, IDM_TEST_SECOND, {}},
    {"ReturnedInnerItem", true, TPM_RETURNCMD, {VK_UP, VK_RIGHT, VK_RETURN}, IDM_TEST_INNER, {}},
    {"PostedCommand", true, TPM_RIGHTBUTTON, {VK_DOWN, VK_DOWN, VK_RETURN}, TRUE, {IDM_TEST_SECOND}},
    {"EscapeChoosesNothing", false, TPM_RETURNCMD, {VK_ESCAPE}, 0, {}},
};

INSTANTIATE_TEST_SUITE_P(Keys, TrackTest, ::testing::ValuesIn(kTrackCases),
                         [](const ::testing::TestParamInfo<TrackCase>& info) { return info.param.name; });

} // namespace
