#include "app/settings/ConditionListModel.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace Tolv {

using Configuration::CApplication;
using Configuration::CApplication4SwitchOnApplication;

namespace {

// Per-application conditions with a negative IME number are switched off by
// hand in the file: they stay in the list but get no row.
bool IsListed(const CApplication& condition)
{
    const auto* perApplication = dynamic_cast<const CApplication4SwitchOnApplication*>(&condition);
    return perApplication == nullptr || perApplication->GetImeNumber() >= 0;
}

void CopyCondition(const CApplication& from, CApplication& to)
{
    to.SetMatchType(from.GetMatchType());
    to.SetExpression(from.GetExpression());
    const auto* source = dynamic_cast<const CApplication4SwitchOnApplication*>(&from);
    auto* target = dynamic_cast<CApplication4SwitchOnApplication*>(&to);
    if (source != nullptr && target != nullptr) {
        target->SetImeNumber(source->GetImeNumber());
    }
}

} // namespace

ConditionListModel::ConditionListModel(Configuration::CApplications& conditions, MakeBlank makeBlank, bool ordered)
    : conditions_(conditions), makeBlank_(makeBlank), ordered_(ordered)
{
    for (int n = 0; n < conditions.Count(); ++n) {
        if (IsListed(*conditions.GetAt(n))) {
            rows_.push_back(n);
        }
    }
}

int ConditionListModel::RowCount() const { return static_cast<int>(rows_.size()); }

const CApplication& ConditionListModel::RowCondition(int row) const
{
    return *conditions_.GetAt(rows_[static_cast<std::size_t>(row)]);
}

void ConditionListModel::SetSelection(const std::vector<int>& rows)
{
    selected_.clear();
    for (const int row : rows) {
        if (row >= 0 && row < RowCount()) {
            selected_.push_back(row);
        }
    }
}

int ConditionListModel::SelectedRow() const { return selected_.size() == 1 ? selected_.front() : -1; }

void ConditionListModel::SetEditable(bool editable) { editable_ = editable; }

bool ConditionListModel::Offers(ConditionCommand command) const
{
    return ordered_ || (command != ConditionCommand::Up && command != ConditionCommand::Down);
}

bool ConditionListModel::IsEnabled(ConditionCommand command) const
{
    if (!editable_ || !Offers(command)) {
        return false;
    }
    const int row = SelectedRow();
    switch (command) {
    case ConditionCommand::Add:
        return true;
    case ConditionCommand::Edit:
    case ConditionCommand::Delete:
        return row >= 0;
    case ConditionCommand::Up:
        return row > 0;
    case ConditionCommand::Down:
        return row >= 0 && row + 1 < RowCount();
    }
    return false;
}

ConditionListChange ConditionListModel::Run(ConditionCommand command, const ConditionEditor& edit)
{
    if (!IsEnabled(command)) {
        return {};
    }
    switch (command) {
    case ConditionCommand::Add:
        return Add(edit);
    case ConditionCommand::Edit:
        return Edit(edit);
    case ConditionCommand::Delete:
        return Delete();
    case ConditionCommand::Up:
        return Move(-1);
    case ConditionCommand::Down:
        return Move(1);
    }
    return {};
}

ConditionListChange ConditionListModel::Add(const ConditionEditor& edit)
{
    std::unique_ptr<CApplication> condition = makeBlank_();
    if (!edit(*condition)) {
        return {};
    }
    const bool listed = IsListed(*condition);
    // New conditions are tested after every existing one.
    conditions_.Add(std::move(condition));
    if (!listed) {
        return {};
    }
    rows_.push_back(conditions_.Count() - 1);
    const int row = RowCount() - 1;
    selected_ = {row};
    return {ConditionListChange::Kind::Appended, row, row, row};
}

// On a working copy, so a cancelled dialog leaves the condition as it was.
ConditionListChange ConditionListModel::Edit(const ConditionEditor& edit)
{
    const int row = SelectedRow();
    CApplication& condition = *conditions_.GetAt(rows_[static_cast<std::size_t>(row)]);
    const std::unique_ptr<CApplication> working = condition.Clone();
    if (!edit(*working)) {
        return {};
    }
    // The row stays even when the edit switched the condition off: it leaves at the next opening.
    CopyCondition(*working, condition);
    return {ConditionListChange::Kind::Rewritten, row, row, row};
}

ConditionListChange ConditionListModel::Delete()
{
    const int row = SelectedRow();
    const int index = rows_[static_cast<std::size_t>(row)];
    conditions_.Remove(conditions_.GetAt(index));
    rows_.erase(rows_.begin() + row);
    for (int& later : rows_) {
        if (later > index) {
            --later;
        }
    }
    selected_.clear();
    return {ConditionListChange::Kind::Removed, row, row, -1};
}

// The rule trades places with its neighbouring row; rules without a row in
// between keep theirs.
ConditionListChange ConditionListModel::Move(int step)
{
    const int row = SelectedRow();
    const int other = row + step;
    conditions_.Swap(rows_[static_cast<std::size_t>(row)], rows_[static_cast<std::size_t>(other)]);
    selected_ = {other};
    return {ConditionListChange::Kind::Rewritten, std::min(row, other), std::max(row, other), other};
}

} // namespace Tolv
