#pragma once
// A list view; the dialog owns the window. Item data (lParam) is the caller's.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "flib/window/CControl.h"

namespace Flib { namespace Windows { namespace Window {

class CListView : public CControl {
public:
    virtual LRESULT SetExtendedStyle(DWORD style);
    virtual LRESULT SetExtendedStyleMasked(DWORD mask, DWORD style);
    // After the last column.
    virtual LRESULT AppendColumn(const LVCOLUMNW& column);
    // A left-aligned text column after the last one, showing sub-item `subItem`.
    LRESULT AppendTextColumn(const std::wstring& header, int subItem);
    virtual LRESULT InsertColumn(int index, const LVCOLUMNW& column);
    virtual LRESULT DeleteColumn(int index);
    // After the last item, whatever index the record holds; the record itself is not changed.
    virtual LRESULT AppendItem(const LVITEMW& item);
    // The new index, or -1.
    virtual LRESULT InsertItem(const LVITEMW& item);
    virtual LRESULT GetItem(LVITEMW& item);
    virtual LRESULT SetItem(const LVITEMW& item);
    // The text of one cell of an existing row.
    LRESULT SetItemText(int row, int column, const std::wstring& text);
    // How wide `text` is in the list's own font, in pixels.
    int StringWidth(const std::wstring& text);
    virtual LRESULT GetItemCount();
    virtual LRESULT GetNextItem(int start, UINT flags);
    virtual LRESULT DeleteItem(int index);
    virtual LRESULT DeleteAllItems();
    virtual LRESULT GetItemPosition(int index, POINT& point);
    virtual LRESULT SetItemPosition(int index, int x, int y);
    virtual LRESULT SelectItem(int index);
    virtual LRESULT DeselectItem(int index);
};

}}} // namespace Flib::Windows::Window
