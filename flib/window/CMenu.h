#pragma once
// A view of one menu handle. The object never destroys its menu: whoever loads
// a menu calls Destroy on it once done; a submenu is destroyed with its parent.
#include <windows.h>

namespace Flib { namespace Windows { namespace Window {

class CMenu {
public:
    CMenu();
    CMenu(const CMenu&) = default;
    CMenu& operator=(const CMenu&) = default;

    virtual ~CMenu();
    virtual HMENU Load(HINSTANCE instance, UINT menuId);
    virtual HMENU AttachWindowMenu(HWND window);
    // The submenu is not stored: put it into a second CMenu.
    virtual HMENU GetSubMenu(int position);
    // The handle field keeps its (now dead) value.
    virtual BOOL Destroy();
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
    void SetHandle(HMENU menu) { menu_ = menu; }

private:
    HMENU menu_;
};

}}} // namespace Flib::Windows::Window
