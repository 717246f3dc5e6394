#pragma once
// The list mechanics the two condition pages share: a report list view that
// mirrors a condition list of the edited copy, with add, edit and delete by
// buttons, context menu, double click and keys (Enter edits, Delete deletes,
// Shift+F10 and the context-menu key open the menu), and on the
// per-application page moving a rule up or down, since the first rule that
// holds wins. Every change goes into the list at once; the sheet's OK or
// Cancel decides whether it lasts.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <memory>

#include "configuration/CApplications.h"
#include "configuration/CImes.h"
#include "flib/window/CButton.h"
#include "flib/window/CDialogBox.h"
#include "flib/window/CListView.h"

namespace Tolv {

struct ConditionListLayout {
    int listId;
    int addId;
    int editId;
    int deleteId;
    int upId;   // 0: the list's order does not matter and cannot be changed
    int downId;
    int dialogId; // the condition dialog's template
    bool imeColumn; // a third column shows the IME slot
    // A new condition of the list's kind: match type MT_FILENAME, empty expression, IME number 0.
    std::unique_ptr<Configuration::CApplication> (*makeBlank)();
};

class ConditionList {
public:
    ConditionList() = default;
    ConditionList(const ConditionList&) = delete;
    ConditionList& operator=(const ConditionList&) = delete;

    // Binds the page's controls and shows one row per listed condition: every
    // exclusion, every per-application condition with an IME number of 0 or
    // more. `page` and `conditions` stay the caller's and must outlive the
    // page window; `imes` names the slots in the third column.
    void Bind(Flib::Windows::Window::CDialogBox& page, const ConditionListLayout& layout,
              Configuration::CApplications& conditions, const Configuration::CImes& imes);

    // WM_COMMAND from the list's buttons or its context menu; false for any other.
    bool HandleCommand(WPARAM wParam);
    // A notification of the list view; true with the notification's answer in
    // `result` when handled.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

    // Editing buttons follow the selection; the page calls it after enabling
    // or disabling the list itself.
    void FollowSelection();

private:
    static LRESULT CALLBACK KeyProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    bool HandleKey(UINT message, WPARAM wParam);

    void SetColumns();
    void Add();
    void Edit();
    void Delete();
    // Swaps the selected rule with its visible neighbour `step` rows away.
    void Move(int step);
    // At `screen`, or below the selected row when opened from the keyboard (null).
    void ShowContextMenu(const POINT* screen);
    // Row `row`, or a new last row when `row` is -1; returns the row.
    int WriteRow(Configuration::CApplication& condition, int row);
    void SelectRow(int row);
    int SelectedRow();
    Configuration::CApplication* ConditionAt(int row);

    Flib::Windows::Window::CDialogBox* page_ = nullptr;
    const ConditionListLayout* layout_ = nullptr;
    Configuration::CApplications* conditions_ = nullptr;
    const Configuration::CImes* imes_ = nullptr;
    Flib::Windows::Window::CListView list_;
    Flib::Windows::Window::CButton editButton_;
    Flib::Windows::Window::CButton deleteButton_;
    Flib::Windows::Window::CButton upButton_;
    Flib::Windows::Window::CButton downButton_;
};

} // namespace Tolv
