// Menus from resources: who destroys what, and the views of submenus.
#include <gtest/gtest.h>

#include <windows.h>

#include <utility>
#include <vector>

#include "flib/window/CMenu.h"
#include "tests/flib/window/WindowTestResourceIds.h"

namespace {

using Flib::Windows::Window::CMenu;
using Flib::Windows::Window::OwnedMenu;

HINSTANCE Module() { return ::GetModuleHandleW(nullptr); }

std::vector<UINT> ItemIds(HMENU menu)
{
    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        ids.push_back(::GetMenuItemID(menu, i));
    }
    return ids;
}

TEST(CMenuTest, LoadsFromTheResourceAndHandsOutViewsOfItsSubmenus)
{
    const OwnedMenu menu(Module(), IDM_TEST_POPUP);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(::IsMenu(menu.GetHandle()));

    const CMenu popup = menu.GetSubMenu(0);
    const UINT submenu = static_cast<UINT>(-1);
    EXPECT_EQ(ItemIds(popup.GetHandle()), (std::vector<UINT>{IDM_TEST_FIRST, 0, IDM_TEST_SECOND, submenu}));
    EXPECT_EQ(ItemIds(popup.GetSubMenu(3).GetHandle()), std::vector<UINT>{IDM_TEST_INNER});
    EXPECT_EQ(menu.GetSubMenu(1).GetHandle(), nullptr) << "the top level has one popup only";
    EXPECT_EQ(menu.View().GetHandle(), menu.GetHandle());
}

TEST(CMenuTest, AMissingMenuLoadsEmpty)
{
    const OwnedMenu menu(Module(), 999);
    EXPECT_FALSE(menu);
    EXPECT_EQ(menu.GetHandle(), nullptr);
    EXPECT_EQ(menu.GetSubMenu(0).GetHandle(), nullptr);
}

TEST(CMenuTest, ViewsNeverDestroyTheirMenuAndTheOwnerDestroysItWithItsSubmenus)
{
    HMENU loaded = nullptr;
    HMENU inner = nullptr;
    {
        const OwnedMenu menu(Module(), IDM_TEST_POPUP);
        loaded = menu.GetHandle();
        {
            const CMenu popup = menu.GetSubMenu(0);
            const CMenu innerView = popup.GetSubMenu(3);
            inner = innerView.GetHandle();
            const CMenu copy = popup; // views copy freely
            EXPECT_EQ(copy.GetHandle(), popup.GetHandle());
        }
        EXPECT_TRUE(::IsMenu(loaded)) << "a view destroyed the menu";
        EXPECT_TRUE(::IsMenu(inner)) << "a view destroyed its submenu";
        EXPECT_EQ(ItemIds(inner), std::vector<UINT>{IDM_TEST_INNER});
    }
    EXPECT_FALSE(::IsMenu(loaded)) << "the owner left its menu behind";
    EXPECT_FALSE(::IsMenu(inner)) << "the owner left a submenu behind";
}

TEST(CMenuTest, OwnershipMovesWithTheOwner)
{
    OwnedMenu first(Module(), IDM_TEST_POPUP);
    HMENU loaded = first.GetHandle();
    ASSERT_NE(loaded, nullptr);
    {
        const OwnedMenu second = std::move(first);
        EXPECT_EQ(second.GetHandle(), loaded);
        EXPECT_FALSE(first) << "the menu has two owners";
    }
    EXPECT_FALSE(::IsMenu(loaded)) << "the new owner left the menu behind";

    // A menu put in place of another destroys the one it replaces.
    OwnedMenu replaced(Module(), IDM_TEST_POPUP);
    HMENU old = replaced.GetHandle();
    replaced = OwnedMenu(Module(), IDM_TEST_POPUP);
    EXPECT_FALSE(::IsMenu(old));
    EXPECT_TRUE(::IsMenu(replaced.GetHandle()));
}

TEST(CMenuTest, AttachesTheMenuOfAWindow)
{
    HMENU bar = ::LoadMenuW(Module(), MAKEINTRESOURCEW(IDM_TEST_POPUP));
    ASSERT_NE(bar, nullptr);
    // The window owns its menu bar and destroys it with itself.
    HWND window = ::CreateWindowExW(0, L"STATIC", L"menu bar", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, bar,
                                    Module(), nullptr);
    ASSERT_NE(window, nullptr);
    {
        CMenu menu;
        EXPECT_EQ(menu.AttachWindowMenu(window), bar);
        EXPECT_EQ(menu.GetHandle(), bar);
    }
    EXPECT_TRUE(::IsMenu(bar)) << "the view destroyed the window's menu";
    ::DestroyWindow(window);
    EXPECT_FALSE(::IsMenu(bar));
}

} // namespace
