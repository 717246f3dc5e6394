#include "app/settings/ConditionListColumns.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/settings/SheetLists.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Flib::Windows::Window::CListView;

namespace {

// Column widths in dialog units, so they grow with the dialog's font and DPI.
constexpr int kCellPadding = 8;
constexpr int kImeColumnWidth = 64;
constexpr int kMinimumConditionWidth = 60;

std::wstring Header(HINSTANCE instance, UINT id)
{
    std::wstring text;
    Flib::Windows::Window::LoadResourceString(instance, id, text);
    return text;
}

int DialogUnits(HWND page, int units)
{
    RECT box = {0, 0, units, 0};
    ::MapDialogRect(page, &box);
    return box.right;
}

} // namespace

void SetConditionColumns(CListView& list, HWND page, HINSTANCE instance, bool imeColumn)
{
    const std::wstring targetHeader = Header(instance, IDS_COLUMN_TARGET);
    list.AppendTextColumn(targetHeader, 0);
    list.AppendTextColumn(Header(instance, IDS_COLUMN_CONDITION), 1);
    if (imeColumn) {
        list.AppendTextColumn(Header(instance, IDS_COLUMN_IME), 2);
    }

    int target = list.StringWidth(targetHeader);
    for (const std::wstring& name : MatchTypeNames) {
        target = std::max(target, list.StringWidth(name));
    }
    target += DialogUnits(page, kCellPadding);

    RECT client = {};
    list.GetClientRect(&client);
    const int scrollBar = ::GetSystemMetricsForDpi(SM_CXVSCROLL, ::GetDpiForWindow(list.GetHandle()));
    const int ime = imeColumn ? DialogUnits(page, kImeColumnWidth) : 0;
    const int rest = static_cast<int>(client.right) - target - ime - scrollBar;
    const int condition = std::max(DialogUnits(page, kMinimumConditionWidth), rest);
    list.Send(LVM_SETCOLUMNWIDTH, 0, target);
    list.Send(LVM_SETCOLUMNWIDTH, 1, condition);
    if (imeColumn) {
        list.Send(LVM_SETCOLUMNWIDTH, 2, ime);
    }
}

} // namespace Tolv
