#pragma once
// The list mechanics the two condition pages share: a report list view that
// mirrors a condition list of the edited copy, with add, edit and delete by
// buttons, context menu and double click. Every change goes into the list at
// once; the sheet's OK or Cancel decides whether it lasts.
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

struct ConditionColumn {
    UINT headerId;
    int width; // pixels
};

struct ConditionListLayout {
    int listId;
    int addId;
    int editId;
    int deleteId;
    int dialogId; // the condition dialog's template
    const ConditionColumn* columns;
    std::size_t columnCount; // a third column shows the IME slot
    // A new condition of the list's kind: match type MT_FILENAME, IME number 0.
    std::unique_ptr<Configuration::CApplication> (*makeBlank)();
};

class ConditionList {
public:
    // Binds the page's controls and shows one row per listed condition: every
    // exclusion, every per-application condition with an IME number of 0 or
    // more. `page` and `conditions` stay the caller's and must outlive the
    // binding; `imes` names the slots in the third column.
    void Bind(Flib::Windows::Window::CDialogBox& page, const ConditionListLayout& layout,
              Configuration::CApplications& conditions, const Configuration::CImes& imes);
    void Release();

    // WM_COMMAND from the list's buttons or its context menu; false for any other.
    bool HandleCommand(WPARAM wParam);
    // A notification of the list view: a double click edits, a right click
    // opens the context menu; false for the others.
    bool HandleNotify(const NMHDR& header);

private:
    void Add();
    void Edit();
    void Delete();
    void ShowContextMenu();
    // Row `row`, or a new last row when `row` is -1.
    void WriteRow(Configuration::CApplication& condition, int row);
    int SelectedRow();
    Configuration::CApplication* ConditionAt(int row);

    Flib::Windows::Window::CDialogBox* page_ = nullptr;
    const ConditionListLayout* layout_ = nullptr;
    Configuration::CApplications* conditions_ = nullptr;
    const Configuration::CImes* imes_ = nullptr;
    Flib::Windows::Window::CListView list_;
    Flib::Windows::Window::CButton addButton_;
    Flib::Windows::Window::CButton editButton_;
    Flib::Windows::Window::CButton deleteButton_;
};

} // namespace Tolv
