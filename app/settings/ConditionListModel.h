#pragma once
// What a condition list of the settings sheet does, apart from any window:
// which conditions have rows, which row is selected, what each command does
// to the list and when it is available. The page shows the rows and hands the
// user's commands on.
#include <functional>
#include <memory>
#include <vector>

#include "configuration/CApplication.h"
#include "configuration/CApplications.h"

namespace Tolv {

enum class ConditionCommand { Add, Edit, Delete, Up, Down };

// What a command changed in the rows (the list itself has changed already).
struct ConditionListChange {
    enum class Kind { None, Appended, Rewritten, Removed };
    Kind kind = Kind::None;
    // Appended or Removed: that row; Rewritten: rows `first` to `last`.
    int first = -1;
    int last = -1;
    // The row selected afterwards; -1 leaves the selection to the view.
    int selected = -1;
};

// The user's edit of a working condition; true when confirmed.
using ConditionEditor = std::function<bool(Configuration::CApplication&)>;

class ConditionListModel {
public:
    // A new condition of the list's kind: match type MT_FILENAME, empty expression, IME number 0.
    using MakeBlank = std::unique_ptr<Configuration::CApplication> (*)();

    // `conditions` stays the caller's and must outlive the model. `ordered`:
    // the first condition that holds wins, so rules can be moved up and down.
    ConditionListModel(Configuration::CApplications& conditions, MakeBlank makeBlank, bool ordered);
    ConditionListModel(const ConditionListModel&) = delete;
    ConditionListModel& operator=(const ConditionListModel&) = delete;

    int RowCount() const;
    // 0 <= row < RowCount().
    const Configuration::CApplication& RowCondition(int row) const;

    // The rows shown selected; rows that do not exist are left out.
    void SetSelection(const std::vector<int>& rows);
    // The one selected row; -1 when none or several are.
    int SelectedRow() const;
    // A list that cannot be edited offers its commands but enables none.
    void SetEditable(bool editable);

    bool Offers(ConditionCommand command) const;
    bool IsEnabled(ConditionCommand command) const;
    // Does nothing unless the command is enabled. Add and Edit hand `edit` a
    // working condition and take its values only when it confirms.
    ConditionListChange Run(ConditionCommand command, const ConditionEditor& edit);

private:
    ConditionListChange Add(const ConditionEditor& edit);
    ConditionListChange Edit(const ConditionEditor& edit);
    ConditionListChange Delete();
    ConditionListChange Move(int step);

    Configuration::CApplications& conditions_;
    MakeBlank makeBlank_;
    bool ordered_;
    bool editable_ = true;
    // The list index of each row's condition, in row order.
    std::vector<int> rows_;
    std::vector<int> selected_;
};

} // namespace Tolv
