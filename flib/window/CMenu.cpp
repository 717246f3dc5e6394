#include "flib/window/CMenu.h"

namespace Flib { namespace Windows { namespace Window {

CMenu::~CMenu() = default; // the menu outlives its view

HMENU CMenu::AttachWindowMenu(HWND window)
{
    menu_ = ::GetMenu(window);
    return menu_;
}

CMenu CMenu::GetSubMenu(int position) const { return CMenu(::GetSubMenu(menu_, position)); }

BOOL CMenu::TrackPopup(UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect)
{
    return TrackPopupAt(flags, x, y, reserved, owner, rect);
}

BOOL CMenu::TrackPopupAt(UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect)
{
    return ::TrackPopupMenu(menu_, flags, x, y, reserved, owner, rect);
}

BOOL CMenu::InsertItem(UINT item, BOOL byPosition, const MENUITEMINFOW* info)
{
    return ::InsertMenuItemW(menu_, item, byPosition, info);
}

BOOL CMenu::DeleteItem(UINT position, UINT flags) { return ::DeleteMenu(menu_, position, flags); }
BOOL CMenu::RemoveItem(UINT position, UINT flags) { return ::RemoveMenu(menu_, position, flags); }
BOOL CMenu::EnableItem(UINT itemId, UINT flags) { return ::EnableMenuItem(menu_, itemId, flags); }
DWORD CMenu::CheckItem(UINT itemId, UINT flags) { return ::CheckMenuItem(menu_, itemId, flags); }
BOOL CMenu::SetDefaultItem(UINT item, UINT byPosition) { return ::SetMenuDefaultItem(menu_, item, byPosition); }

BOOL CMenu::SetItemInfo(UINT item, BOOL byPosition, const MENUITEMINFOW* info)
{
    return ::SetMenuItemInfoW(menu_, item, byPosition, info);
}

OwnedMenu::OwnedMenu(HINSTANCE instance, UINT menuId) : menu_(::LoadMenuW(instance, MAKEINTRESOURCEW(menuId))) {}

}}} // namespace Flib::Windows::Window
