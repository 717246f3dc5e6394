#pragma once
// Menus: OwnedMenu owns a menu the program loaded (destroying it destroys its
// submenus too); CMenu is a view of a menu someone else owns (an OwnedMenu's
// menu or submenu, a window's menu bar) and never destroys it.
#include <windows.h>

#include "flib/Owned.h"

namespace Flib { namespace Windows { namespace Window {

class CMenu {
public:
    CMenu() : menu_(nullptr) {}
    explicit CMenu(HMENU menu) : menu_(menu) {}
    CMenu(const CMenu&) = default;
    CMenu& operator=(const CMenu&) = default;

    virtual ~CMenu();
    // The window's menu bar, which the window destroys with itself.
    virtual HMENU AttachWindowMenu(HWND window);
    // A view of the submenu at `position`, which this menu owns; empty when there is none.
    virtual CMenu GetSubMenu(int position) const;
    virtual BOOL TrackPopup(UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
    virtual BOOL TrackPopupAt(UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
    virtual BOOL InsertItem(UINT item, BOOL byPosition, const MENUITEMINFOW* info);
    virtual BOOL DeleteItem(UINT position, UINT flags);
    virtual BOOL RemoveItem(UINT position, UINT flags);
    virtual BOOL EnableItem(UINT itemId, UINT flags);
    virtual DWORD CheckItem(UINT itemId, UINT flags);
    virtual BOOL SetDefaultItem(UINT item, UINT byPosition);
    virtual BOOL SetItemInfo(UINT item, BOOL byPosition, const MENUITEMINFOW* info);

    HMENU GetHandle() const { return menu_; }

private:
    HMENU menu_;
};

inline void DestroyMenuHandle(HMENU menu) { ::DestroyMenu(menu); }

class OwnedMenu {
public:
    OwnedMenu() = default;
    // Loads menu resource `menuId`; empty when the module has none.
    OwnedMenu(HINSTANCE instance, UINT menuId);

    explicit operator bool() const { return static_cast<bool>(menu_); }
    HMENU GetHandle() const { return menu_.Get(); }
    CMenu View() const { return CMenu(menu_.Get()); }
    // A view of the submenu at `position`; it lives as long as this menu.
    CMenu GetSubMenu(int position) const { return View().GetSubMenu(position); }

private:
    Owned<HMENU, DestroyMenuHandle> menu_;
};

}}} // namespace Flib::Windows::Window
