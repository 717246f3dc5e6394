#include "app/settings/ConditionListOperations.h"

#include <cstddef>
#include <string>

#include "app/settings/ConditionDialog.h"
#include "app/settings/ConditionListColumns.h"
#include "app/settings/ImeChoiceList.h"
#include "app/settings/SheetLists.h"
#include "flib/window/CMenu.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Configuration::CApplication;
using Configuration::CApplication4SwitchOnApplication;
using Flib::Windows::Window::CMenu;

namespace {

constexpr ConditionCommand kCommands[] = {ConditionCommand::Add, ConditionCommand::Edit, ConditionCommand::Delete,
                                          ConditionCommand::Up, ConditionCommand::Down};

struct MenuCommand {
    ConditionCommand command;
    UINT id;
};

constexpr MenuCommand kMenuCommands[] = {{ConditionCommand::Edit, IDM_CONDITION_EDIT},
                                         {ConditionCommand::Delete, IDM_CONDITION_DELETE},
                                         {ConditionCommand::Add, IDM_CONDITION_ADD},
                                         {ConditionCommand::Up, IDM_CONDITION_UP},
                                         {ConditionCommand::Down, IDM_CONDITION_DOWN}};

// 0 when the page has no button for it.
int ButtonId(const ConditionListLayout& layout, ConditionCommand command)
{
    switch (command) {
    case ConditionCommand::Add:
        return layout.addId;
    case ConditionCommand::Edit:
        return layout.editId;
    case ConditionCommand::Delete:
        return layout.deleteId;
    case ConditionCommand::Up:
        return layout.upId;
    case ConditionCommand::Down:
        return layout.downId;
    }
    return 0;
}

// An unrecognised match type (-1 from the file) has no display name.
std::wstring MatchTypeText(Configuration::MatchType type)
{
    return type >= 0 && static_cast<size_t>(type) < MatchTypeNames.size() ? MatchTypeNames[static_cast<size_t>(type)]
                                                                          : std::wstring();
}

void SetMenuItemEnabled(CMenu& popup, UINT command, bool enable)
{
    MENUITEMINFOW state = {};
    state.cbSize = sizeof(state);
    state.fMask = MIIM_STATE;
    state.fState = enable ? MFS_ENABLED : MFS_GRAYED | MFS_DISABLED;
    popup.SetItemInfo(command, FALSE, &state);
}

bool IsSeparator(HMENU menu, int position)
{
    MENUITEMINFOW item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE;
    return ::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item) && (item.fType & MFT_SEPARATOR) != 0;
}

// Once commands are gone, a separator at either end or next to another one separates nothing.
void DropStraySeparators(HMENU menu)
{
    bool afterSeparator = true;
    for (int n = 0; n < ::GetMenuItemCount(menu);) {
        const bool separator = IsSeparator(menu, n);
        if (separator && afterSeparator) {
            ::DeleteMenu(menu, static_cast<UINT>(n), MF_BYPOSITION);
            continue;
        }
        afterSeparator = separator;
        ++n;
    }
    const int count = ::GetMenuItemCount(menu);
    if (count > 0 && IsSeparator(menu, count - 1)) {
        ::DeleteMenu(menu, static_cast<UINT>(count - 1), MF_BYPOSITION);
    }
}

} // namespace

void ConditionList::Bind(Flib::Windows::Window::CDialogBox& page, const ConditionListLayout& layout,
                         Configuration::CApplications& conditions, const Configuration::CImes& imes)
{
    page_ = &page;
    layout_ = &layout;
    imes_ = &imes;
    model_.emplace(conditions, layout.makeBlank, layout.upId != 0);

    list_.AttachItem(page, layout.listId);
    list_.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    SetConditionColumns(list_, page.GetHandle(), page.GetInstance(), layout.imeColumn);
    for (const ConditionCommand command : kCommands) {
        if (ButtonId(layout, command) != 0) {
            buttons_[static_cast<std::size_t>(command)].AttachItem(page, ButtonId(layout, command));
        }
    }
    // Enter, Delete and the menu keys reach the list before the sheet's dialog handling.
    ::SetWindowSubclass(list_.GetHandle(), KeyProcedure, 0, reinterpret_cast<DWORD_PTR>(this));

    for (int row = 0; row < model_->RowCount(); ++row) {
        WriteRow(row, true);
    }
    FollowSelection();
}

bool ConditionList::HandleCommand(WPARAM wParam)
{
    // Buttons send BN_CLICKED and menus 0: the same code.
    if (!model_ || HIWORD(wParam) != BN_CLICKED) {
        return false;
    }
    const int id = LOWORD(wParam);
    for (const ConditionCommand command : kCommands) {
        if (model_->Offers(command) && ButtonId(*layout_, command) == id && id != 0) {
            Run(command);
            return true;
        }
    }
    for (const MenuCommand& item : kMenuCommands) {
        if (model_->Offers(item.command) && static_cast<int>(item.id) == id) {
            Run(item.command);
            return true;
        }
    }
    return false;
}

bool ConditionList::HandleNotify(const NMHDR& header, LRESULT& result)
{
    if (!model_) {
        return false;
    }
    switch (header.code) {
    case NM_DBLCLK:
        Run(ConditionCommand::Edit);
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
            Run(ConditionCommand::Edit);
            return true;
        }
        if (message == WM_KEYDOWN && wParam == VK_DELETE) {
            Run(ConditionCommand::Delete);
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
    if (!model_) {
        return;
    }
    model_->SetEditable(list_.IsEnabled() != FALSE);
    model_->SetSelection(ShownSelection());
    for (const ConditionCommand command : kCommands) {
        if (ButtonId(*layout_, command) != 0) {
            buttons_[static_cast<std::size_t>(command)].Enable(model_->IsEnabled(command) ? TRUE : FALSE);
        }
    }
}

void ConditionList::Run(ConditionCommand command)
{
    FollowSelection();
    Show(model_->Run(command, [this](CApplication& condition) {
        return RunConditionDialog(page_->GetInstance(), page_->GetHandle(), layout_->dialogId, condition) == 1;
    }));
}

void ConditionList::Show(const ConditionListChange& change)
{
    switch (change.kind) {
    case ConditionListChange::Kind::None:
        return;
    case ConditionListChange::Kind::Appended:
        WriteRow(change.first, true);
        break;
    case ConditionListChange::Kind::Rewritten:
        for (int row = change.first; row <= change.last; ++row) {
            WriteRow(row, false);
        }
        break;
    case ConditionListChange::Kind::Removed:
        list_.DeleteItem(change.first);
        break;
    }
    SelectRow(change.selected);
    FollowSelection();
}

void ConditionList::ShowContextMenu(const POINT* screen)
{
    FollowSelection();
    POINT at = {};
    if (screen != nullptr) {
        at = *screen;
    } else {
        const int row = static_cast<int>(list_.GetNextItem(-1, LVNI_SELECTED));
        RECT cell = {LVIR_LABEL, 0, 0, 0};
        if (row >= 0 && list_.Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell))) {
            at = {cell.left, cell.bottom};
        }
        ::ClientToScreen(list_.GetHandle(), &at);
    }

    const Flib::Windows::Window::OwnedMenu menu(page_->GetInstance(), IDR_CONDITION_MENU);
    if (!menu) {
        return;
    }
    CMenu popup = menu.GetSubMenu(0);
    for (const MenuCommand& item : kMenuCommands) {
        if (model_->Offers(item.command)) {
            SetMenuItemEnabled(popup, item.id, model_->IsEnabled(item.command));
        } else {
            ::DeleteMenu(popup.GetHandle(), item.id, MF_BYCOMMAND);
        }
    }
    DropStraySeparators(popup.GetHandle());
    // After the state changes: a whole new state would drop the default mark again.
    popup.SetDefaultItem(IDM_CONDITION_EDIT, FALSE);
    page_->SetForeground();
    // The chosen command comes back to the page as WM_COMMAND.
    popup.TrackPopup(TPM_RIGHTBUTTON, at.x, at.y, 0, page_->GetHandle(), nullptr);
    // Bringing the page forward for the menu can leave the keyboard elsewhere; the keys belong to the list.
    list_.SetFocus();
}

void ConditionList::WriteRow(int row, bool insert)
{
    const CApplication& condition = model_->RowCondition(row);
    const std::wstring type = MatchTypeText(condition.GetMatchType());
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(type.c_str());
    if (insert) {
        if (list_.InsertItem(item) < 0) {
            return;
        }
    } else {
        list_.SetItem(item);
    }
    list_.SetItemText(row, 1, condition.GetExpression());
    const auto* perApplication = dynamic_cast<const CApplication4SwitchOnApplication*>(&condition);
    if (layout_->imeColumn && perApplication != nullptr) {
        const int imeNumber = perApplication->GetImeNumber();
        list_.SetItemText(row, 2,
                imeNumber < imes_->Count() ? imes_->GetAt(imeNumber)->GetName()
                                           : MissingImeChoiceText(page_->GetInstance(), imeNumber));
    }
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
}

std::vector<int> ConditionList::ShownSelection()
{
    std::vector<int> rows;
    for (LRESULT row = list_.GetNextItem(-1, LVNI_SELECTED); row != -1;
         row = list_.GetNextItem(static_cast<int>(row), LVNI_SELECTED)) {
        rows.push_back(static_cast<int>(row));
    }
    return rows;
}

} // namespace Tolv
