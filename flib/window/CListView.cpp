#include "flib/window/CListView.h"

#include <climits>
#include <cstddef>
#include <cstring>

namespace Flib { namespace Windows { namespace Window {

namespace {

// Items are inserted with the record as it was before the Vista fields
// (piColFmt, iGroup), which older list views do not read.
constexpr size_t kClassicItemSize = offsetof(LVITEMW, piColFmt);
static_assert(sizeof(void*) != 8 || kClassicItemSize == 72, "the classic 64-bit item record is 72 bytes");

LRESULT SetSelected(CListView& view, int index, UINT state)
{
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = state;
    return view.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

} // namespace

LRESULT CListView::SetExtendedStyle(DWORD style) { return SetExtendedStyleMasked(style, style); }

LRESULT CListView::SetExtendedStyleMasked(DWORD mask, DWORD style)
{
    return Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, static_cast<LPARAM>(style));
}

LRESULT CListView::AppendColumn(const LVCOLUMNW& column) { return InsertColumn(INT_MAX, column); }

LRESULT CListView::AppendTextColumn(const std::wstring& header, int subItem)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.pszText = const_cast<wchar_t*>(header.c_str());
    column.iSubItem = subItem;
    return AppendColumn(column);
}

LRESULT CListView::InsertColumn(int index, const LVCOLUMNW& column)
{
    return Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

LRESULT CListView::DeleteColumn(int index) { return Send(LVM_DELETECOLUMN, static_cast<WPARAM>(index), 0); }

LRESULT CListView::AppendItem(const LVITEMW& item)
{
    LVITEMW copy = {};
    std::memcpy(&copy, &item, kClassicItemSize);
    copy.iItem = INT_MAX;
    return InsertItem(copy);
}

LRESULT CListView::InsertItem(const LVITEMW& item) { return Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)); }
LRESULT CListView::GetItem(LVITEMW& item) { return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)); }
LRESULT CListView::SetItem(const LVITEMW& item) { return Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)); }
LRESULT CListView::GetItemCount() { return Send(LVM_GETITEMCOUNT, 0, 0); }

LRESULT CListView::SetItemText(int row, int column, const std::wstring& text)
{
    LVITEMW cell = {};
    cell.mask = LVIF_TEXT;
    cell.iItem = row;
    cell.iSubItem = column;
    cell.pszText = const_cast<wchar_t*>(text.c_str());
    return SetItem(cell);
}

int CListView::StringWidth(const std::wstring& text)
{
    return static_cast<int>(Send(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

LRESULT CListView::GetNextItem(int start, UINT flags)
{
    return Send(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags & 0xFFFF, 0));
}

LRESULT CListView::DeleteItem(int index) { return Send(LVM_DELETEITEM, static_cast<WPARAM>(index), 0); }
LRESULT CListView::DeleteAllItems() { return Send(LVM_DELETEALLITEMS, 0, 0); }

LRESULT CListView::GetItemPosition(int index, POINT& point)
{
    return Send(LVM_GETITEMPOSITION, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&point));
}

LRESULT CListView::SetItemPosition(int index, int x, int y)
{
    return Send(LVM_SETITEMPOSITION, static_cast<WPARAM>(index), MAKELPARAM(x & 0xFFFF, y & 0xFFFF));
}

LRESULT CListView::SelectItem(int index) { return SetSelected(*this, index, LVIS_SELECTED); }
LRESULT CListView::DeselectItem(int index) { return SetSelected(*this, index, 0); }

}}} // namespace Flib::Windows::Window
