#pragma once
// The list view the two condition pages share: it shows a ConditionListModel
// and hands it the user's commands from buttons, context menu, double click
// and keys (Enter edits, Delete deletes, Shift+F10 and the context-menu key
// open the menu). Every change goes into the list at once; the sheet's OK or
// Cancel decides whether it lasts.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <optional>
#include <vector>

#include "app/settings/ConditionListModel.h"
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
    ConditionListModel::MakeBlank makeBlank;
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

    // Buttons follow the selection; the page calls it after enabling or
    // disabling the list itself.
    void FollowSelection();

private:
    static LRESULT CALLBACK KeyProcedure(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    bool HandleKey(UINT message, WPARAM wParam);

    void Run(ConditionCommand command);
    void Show(const ConditionListChange& change);
    // At `screen`, or below the selected row when opened from the keyboard (null).
    void ShowContextMenu(const POINT* screen);
    // Row `row` of the model, inserted as a new row or written over the shown one.
    void WriteRow(int row, bool insert);
    void SelectRow(int row);
    std::vector<int> ShownSelection();

    Flib::Windows::Window::CDialogBox* page_ = nullptr;
    const ConditionListLayout* layout_ = nullptr;
    const Configuration::CImes* imes_ = nullptr;
    std::optional<ConditionListModel> model_;
    Flib::Windows::Window::CListView list_;
    // Indexed by ConditionCommand; a command without a button leaves its entry unattached.
    std::array<Flib::Windows::Window::CButton, 5> buttons_;
};

} // namespace Tolv
