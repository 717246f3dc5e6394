#include "app/settings/ConditionListOperations.h"

#include <string>

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
    for (size_t c = 0; c < layout.columnCount; ++c) {
        std::wstring header;
        Flib::Windows::Window::LoadResourceString(page.GetInstance(), layout.columns[c].headerId, header);
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = layout.columns[c].width;
        column.pszText = const_cast<wchar_t*>(header.c_str());
        column.iSubItem = static_cast<int>(c);
        list_.AppendColumn(column);
    }
    addButton_.AttachItem(page, layout.addId);
    editButton_.AttachItem(page, layout.editId);
    deleteButton_.AttachItem(page, layout.deleteId);

    for (int n = 0; n < conditions.Count(); ++n) {
        CApplication& condition = *conditions.GetAt(n);
        if (IsListed(condition)) {
            WriteRow(condition, -1);
        }
    }
}

void ConditionList::Release()
{
    page_ = nullptr;
    layout_ = nullptr;
    conditions_ = nullptr;
    imes_ = nullptr;
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
    } else {
        return false;
    }
    return true;
}

bool ConditionList::HandleNotify(const NMHDR& header)
{
    if (layout_ == nullptr) {
        return false;
    }
    if (header.code == static_cast<UINT>(NM_DBLCLK)) {
        Edit();
        return true;
    }
    if (header.code == static_cast<UINT>(NM_RCLICK)) {
        ShowContextMenu();
        return true;
    }
    return false;
}

void ConditionList::Add()
{
    std::unique_ptr<CApplication> condition = layout_->makeBlank();
    std::wstring placeholder;
    Flib::Windows::Window::LoadResourceString(page_->GetInstance(), IDS_CONDITION_PLACEHOLDER, placeholder);
    condition->SetExpression(placeholder);
    if (RunConditionDialog(page_->GetInstance(), page_->GetHandle(), layout_->dialogId, *condition) != 1) {
        return;
    }
    CApplication& added = *condition;
    conditions_->Add(std::move(condition));
    // New conditions are tested after every existing one.
    if (IsListed(added)) {
        WriteRow(added, -1);
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
        WriteRow(*condition, row);
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
}

void ConditionList::ShowContextMenu()
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    int selected = 0;
    for (LRESULT row = list_.GetNextItem(-1, LVNI_SELECTED); row != -1;
         row = list_.GetNextItem(static_cast<int>(row), LVNI_SELECTED)) {
        ++selected;
    }

    CMenu menu;
    if (menu.Load(page_->GetInstance(), IDR_CONDITION_MENU) == nullptr) {
        return;
    }
    CMenu popup;
    popup.SetHandle(menu.GetSubMenu(0));
    if (selected != 1) {
        MENUITEMINFOW grayed = {};
        grayed.cbSize = sizeof(grayed);
        grayed.fMask = MIIM_STATE;
        grayed.fState = MFS_GRAYED | MFS_DISABLED;
        popup.SetItemInfo(IDM_CONDITION_EDIT, FALSE, &grayed);
        popup.SetItemInfo(IDM_CONDITION_DELETE, FALSE, &grayed);
    }
    // After the graying: a whole new state would drop the default mark again.
    popup.SetDefaultItem(IDM_CONDITION_EDIT, FALSE);
    page_->SetForeground();
    // The chosen command comes back to the page as WM_COMMAND.
    popup.TrackPopup(TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, page_->GetHandle(), nullptr);
    menu.Destroy();
}

void ConditionList::WriteRow(CApplication& condition, int row)
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
            return;
        }
    } else {
        list_.SetItem(item);
    }
    SetCell(list_, row, 1, condition.GetExpression());
    const CApplication4SwitchOnApplication* perApplication = PerApplication(condition);
    if (layout_->columnCount > 2 && perApplication != nullptr) {
        const int imeNumber = perApplication->GetImeNumber();
        SetCell(list_, row, 2,
                imeNumber < imes_->Count() ? imes_->GetAt(imeNumber)->GetName()
                                           : MissingImeChoiceText(page_->GetInstance(), imeNumber));
    }
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
