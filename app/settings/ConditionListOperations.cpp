#include "app/settings/ConditionListOperations.h"

#include <algorithm>
#include <string>
#include <utility>

#include "app/settings/ConditionDialog.h"
#include "app/settings/ImeChoiceList.h"
#include "app/settings/SheetLists.h"
#include "flib/window/CMenu.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Configuration::CApplication;
using Configuration::CApplication4SwitchOnApplication;
using Flib::Windows::Window::CMenu;

namespace {

// Column widths in dialog units, so they grow with the dialog's font and DPI.
constexpr int kCellPadding = 8;
constexpr int kImeColumnWidth = 64;
constexpr int kMinimumConditionWidth = 60;

const CApplication4SwitchOnApplication* PerApplication(const CApplication& condition)
{
    return dynamic_cast<const CApplication4SwitchOnApplication*>(&condition);
}

// Per-application conditions with a negative IME number are switched off by
// hand in the file: they stay in the list but get no row.
bool IsListed(const CApplication& condition)
{
    const CApplication4SwitchOnApplication* perApplication = PerApplication(condition);
    return perApplication == nullptr || perApplication->GetImeNumber() >= 0;
}

// An unrecognised match type (-1 from the file) has no display name.
std::wstring MatchTypeText(Configuration::MatchType type)
{
    return type >= 0 && static_cast<size_t>(type) < MatchTypeNames.size() ? MatchTypeNames[static_cast<size_t>(type)]
                                                                          : std::wstring();
}

void CopyCondition(const CApplication& from, CApplication& to)
{
    to.SetMatchType(from.GetMatchType());
    to.SetExpression(from.GetExpression());
    const CApplication4SwitchOnApplication* source = PerApplication(from);
    auto* target = dynamic_cast<CApplication4SwitchOnApplication*>(&to);
    if (source != nullptr && target != nullptr) {
        target->SetImeNumber(source->GetImeNumber());
    }
}

void SetCell(Flib::Windows::Window::CListView& list, int row, int column, const std::wstring& text)
{
    LVITEMW cell = {};
    cell.mask = LVIF_TEXT;
    cell.iItem = row;
    cell.iSubItem = column;
    cell.pszText = const_cast<wchar_t*>(text.c_str());
    list.SetItem(cell);
}

void AppendColumn(Flib::Windows::Window::CListView& list, HINSTANCE instance, UINT headerId, int index)
{
    std::wstring header;
    Flib::Windows::Window::LoadResourceString(instance, headerId, header);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.pszText = const_cast<wchar_t*>(header.c_str());
    column.iSubItem = index;
    list.AppendColumn(column);
}

int StringWidth(Flib::Windows::Window::CListView& list, const std::wstring& text)
{
    return static_cast<int>(list.Send(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void EnableMenuItem(CMenu& popup, UINT command, bool enable)
{
    MENUITEMINFOW state = {};
    state.cbSize = sizeof(state);
    state.fMask = MIIM_STATE;
    state.fState = enable ? MFS_ENABLED : MFS_GRAYED | MFS_DISABLED;
    popup.SetItemInfo(command, FALSE, &state);
}

} // namespace

void ConditionList::Bind(Flib::Windows::Window::CDialogBox& page, const ConditionListLayout& layout,
                         Configuration::CApplications& conditions, const Configuration::CImes& imes)
{
    page_ = &page;
    layout_ = &layout;
    conditions_ = &conditions;
    imes_ = &imes;

    list_.AttachItem(page, layout.listId);
    list_.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    SetColumns();
    editButton_.AttachItem(page, layout.editId);
    deleteButton_.AttachItem(page, layout.deleteId);
    if (layout.upId != 0) {
        upButton_.AttachItem(page, layout.upId);
        downButton_.AttachItem(page, layout.downId);
    }
    // Enter, Delete and the menu keys reach the list before the sheet's dialog handling.
    ::SetWindowSubclass(list_.GetHandle(), KeyProcedure, 0, reinterpret_cast<DWORD_PTR>(this));

    for (int n = 0; n < conditions.Count(); ++n) {
        CApplication& condition = *conditions.GetAt(n);
        if (IsListed(condition)) {
            WriteRow(condition, -1);
        }
    }
    FollowSelection();
}

// 対象 fits the longest match-type name in the list's own font; 条件 takes
// what is left of the list's width.
void ConditionList::SetColumns()
{
    const HINSTANCE instance = page_->GetInstance();
    AppendColumn(list_, instance, IDS_COLUMN_TARGET, 0);
    AppendColumn(list_, instance, IDS_COLUMN_CONDITION, 1);
    if (layout_->imeColumn) {
        AppendColumn(list_, instance, IDS_COLUMN_IME, 2);
    }

    RECT units = {0, 0, kCellPadding, 0};
    RECT imeUnits = {0, 0, kImeColumnWidth, 0};
    RECT minimumUnits = {0, 0, kMinimumConditionWidth, 0};
    ::MapDialogRect(page_->GetHandle(), &units);
    ::MapDialogRect(page_->GetHandle(), &imeUnits);
    ::MapDialogRect(page_->GetHandle(), &minimumUnits);

    std::wstring header;
    Flib::Windows::Window::LoadResourceString(instance, IDS_COLUMN_TARGET, header);
    int target = StringWidth(list_, header);
    for (const std::wstring& name : MatchTypeNames) {
        target = std::max(target, StringWidth(list_, name));
    }
    target += units.right;

    RECT client = {};
    list_.GetClientRect(&client);
    const int scrollBar = ::GetSystemMetricsForDpi(SM_CXVSCROLL, ::GetDpiForWindow(list_.GetHandle()));
    const int ime = layout_->imeColumn ? imeUnits.right : 0;
    const int condition = std::max<int>(minimumUnits.right, client.right - target - ime - scrollBar);
    list_.Send(LVM_SETCOLUMNWIDTH, 0, target);
    list_.Send(LVM_SETCOLUMNWIDTH, 1, condition);
    if (layout_->imeColumn) {
        list_.Send(LVM_SETCOLUMNWIDTH, 2, ime);
    }
}

bool ConditionList::HandleCommand(WPARAM wParam)
{
    // Buttons send BN_CLICKED and menus 0: the same code.
    if (layout_ == nullptr || HIWORD(wParam) != BN_CLICKED) {
        return false;
    }
    const int id = LOWORD(wParam);
    if (id == layout_->addId || id == IDM_CONDITION_ADD) {
        Add();
    } else if (id == layout_->editId || id == IDM_CONDITION_EDIT) {
        Edit();
    } else if (id == layout_->deleteId || id == IDM_CONDITION_DELETE) {
        Delete();
    } else if (layout_->upId != 0 && (id == layout_->upId || id == IDM_CONDITION_UP)) {
        Move(-1);
    } else if (layout_->upId != 0 && (id == layout_->downId || id == IDM_CONDITION_DOWN)) {
        Move(1);
    } else {
        return false;
    }
    return true;
}

bool ConditionList::HandleNotify(const NMHDR& header, LRESULT& result)
{
    if (layout_ == nullptr) {
        return false;
    }
    switch (header.code) {
    case NM_DBLCLK:
        Edit();
        return true;
    case NM_RCLICK: {
        POINT cursor = {};
        ::GetCursorPos(&cursor);
        ShowContextMenu(&cursor);
        result = TRUE; // handled: no WM_CONTEXTMENU after it
        return true;
    }
    case LVN_ITEMCHANGED:
        FollowSelection();
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK ConditionList::KeyProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR self)
{
    try {
        if (message == WM_NCDESTROY) {
            ::RemoveWindowSubclass(list, KeyProcedure, id);
        } else if (message == WM_GETDLGCODE && lParam != 0) {
            // Enter edits the selected rule instead of pressing the sheet's OK.
            const MSG& key = *reinterpret_cast<const MSG*>(lParam);
            if (key.message == WM_KEYDOWN && key.wParam == VK_RETURN) {
                return ::DefSubclassProc(list, message, wParam, lParam) | DLGC_WANTALLKEYS;
            }
        } else if (reinterpret_cast<ConditionList*>(self)->HandleKey(message, wParam)) {
            return 0;
        }
    } catch (...) {
        return 0; // nothing unwinds into the system's dispatcher
    }
    return ::DefSubclassProc(list, message, wParam, lParam);
}

bool ConditionList::HandleKey(UINT message, WPARAM wParam)
{
    const bool shifted = ::GetKeyState(VK_SHIFT) < 0;
    const bool menuKey = wParam == VK_APPS || (wParam == VK_F10 && shifted);
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (menuKey) {
            ShowContextMenu(nullptr);
            return true;
        }
        if (message == WM_KEYDOWN && wParam == VK_RETURN) {
            Edit();
            return true;
        }
        if (message == WM_KEYDOWN && wParam == VK_DELETE) {
            Delete();
            return true;
        }
        return false;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        // The window's default handling would open a second menu on the release.
        return wParam == VK_APPS || wParam == VK_F10;
    default:
        return false;
    }
}

void ConditionList::FollowSelection()
{
    if (layout_ == nullptr) {
        return;
    }
    const bool usable = list_.IsEnabled() != FALSE;
    const int row = SelectedRow();
    const BOOL selected = usable && row >= 0 ? TRUE : FALSE;
    editButton_.Enable(selected);
    deleteButton_.Enable(selected);
    if (layout_->upId != 0) {
        upButton_.Enable(selected && row > 0 ? TRUE : FALSE);
        downButton_.Enable(selected && row + 1 < static_cast<int>(list_.GetItemCount()) ? TRUE : FALSE);
    }
}

void ConditionList::Add()
{
    std::unique_ptr<CApplication> condition = layout_->makeBlank();
    if (RunConditionDialog(page_->GetInstance(), page_->GetHandle(), layout_->dialogId, *condition) != 1) {
        return;
    }
    CApplication& added = *condition;
    conditions_->Add(std::move(condition));
    // New conditions are tested after every existing one.
    if (IsListed(added)) {
        SelectRow(WriteRow(added, -1));
    }
}

void ConditionList::Edit()
{
    const int row = SelectedRow();
    CApplication* condition = ConditionAt(row);
    if (condition == nullptr) {
        return;
    }
    std::unique_ptr<CApplication> working = condition->Clone();
    if (RunConditionDialog(page_->GetInstance(), page_->GetHandle(), layout_->dialogId, *working) == 1) {
        CopyCondition(*working, *condition);
        SelectRow(WriteRow(*condition, row));
    }
}

void ConditionList::Delete()
{
    const int row = SelectedRow();
    CApplication* condition = ConditionAt(row);
    if (condition == nullptr) {
        return;
    }
    // By identity, so rows hidden before it do not shift the choice.
    conditions_->Remove(condition);
    list_.DeleteItem(row);
    FollowSelection();
}

void ConditionList::Move(int step)
{
    const int row = SelectedRow();
    CApplication* moved = ConditionAt(row);
    CApplication* neighbour = ConditionAt(row + step);
    if (moved == nullptr || neighbour == nullptr) {
        return;
    }
    // The two conditions trade their values and each row keeps its object, so
    // rules hidden in between stay where they are.
    const std::unique_ptr<CApplication> held = moved->Clone();
    CopyCondition(*neighbour, *moved);
    CopyCondition(*held, *neighbour);
    WriteRow(*moved, row);
    SelectRow(WriteRow(*neighbour, row + step));
}

void ConditionList::ShowContextMenu(const POINT* screen)
{
    const int row = SelectedRow();
    POINT at = {};
    if (screen != nullptr) {
        at = *screen;
    } else {
        RECT cell = {LVIR_LABEL, 0, 0, 0};
        if (row >= 0 && list_.Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell))) {
            at = {cell.left, cell.bottom};
        }
        ::ClientToScreen(list_.GetHandle(), &at);
    }
    int selected = 0;
    for (LRESULT r = list_.GetNextItem(-1, LVNI_SELECTED); r != -1; r = list_.GetNextItem(static_cast<int>(r), LVNI_SELECTED)) {
        ++selected;
    }

    const Flib::Windows::Window::OwnedMenu menu(page_->GetInstance(), IDR_CONDITION_MENU);
    if (!menu) {
        return;
    }
    CMenu popup = menu.GetSubMenu(0);
    const bool one = selected == 1;
    EnableMenuItem(popup, IDM_CONDITION_EDIT, one);
    EnableMenuItem(popup, IDM_CONDITION_DELETE, one);
    if (layout_->upId != 0) {
        EnableMenuItem(popup, IDM_CONDITION_UP, one && row > 0);
        EnableMenuItem(popup, IDM_CONDITION_DOWN, one && row + 1 < static_cast<int>(list_.GetItemCount()));
    } else {
        // The exclusion list's order decides nothing: no moving there, and no separator left over.
        ::DeleteMenu(popup.GetHandle(), IDM_CONDITION_DOWN, MF_BYCOMMAND);
        ::DeleteMenu(popup.GetHandle(), IDM_CONDITION_UP, MF_BYCOMMAND);
        ::DeleteMenu(popup.GetHandle(), static_cast<UINT>(::GetMenuItemCount(popup.GetHandle()) - 1), MF_BYPOSITION);
    }
    // After the state changes: a whole new state would drop the default mark again.
    popup.SetDefaultItem(IDM_CONDITION_EDIT, FALSE);
    page_->SetForeground();
    // The chosen command comes back to the page as WM_COMMAND.
    popup.TrackPopup(TPM_RIGHTBUTTON, at.x, at.y, 0, page_->GetHandle(), nullptr);
    // Bringing the page forward for the menu can leave the keyboard elsewhere; the keys belong to the list.
    list_.SetFocus();
}

int ConditionList::WriteRow(CApplication& condition, int row)
{
    const std::wstring type = MatchTypeText(condition.GetMatchType());
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(type.c_str());
    item.lParam = reinterpret_cast<LPARAM>(&condition);
    if (row < 0) {
        item.iItem = static_cast<int>(list_.GetItemCount());
        row = static_cast<int>(list_.InsertItem(item));
        if (row < 0) {
            return row;
        }
    } else {
        list_.SetItem(item);
    }
    SetCell(list_, row, 1, condition.GetExpression());
    const CApplication4SwitchOnApplication* perApplication = PerApplication(condition);
    if (layout_->imeColumn && perApplication != nullptr) {
        const int imeNumber = perApplication->GetImeNumber();
        SetCell(list_, row, 2,
                imeNumber < imes_->Count() ? imes_->GetAt(imeNumber)->GetName()
                                           : MissingImeChoiceText(page_->GetInstance(), imeNumber));
    }
    return row;
}

// Selected, focused for the keys, and scrolled into view.
void ConditionList::SelectRow(int row)
{
    if (row < 0) {
        return;
    }
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    list_.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    list_.Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    FollowSelection();
}

int ConditionList::SelectedRow() { return static_cast<int>(list_.GetNextItem(-1, LVNI_SELECTED)); }

CApplication* ConditionList::ConditionAt(int row)
{
    if (row < 0) {
        return nullptr;
    }
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return list_.GetItem(item) ? reinterpret_cast<CApplication*>(item.lParam) : nullptr;
}

} // namespace Tolv
