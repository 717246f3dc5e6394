// The condition lists without a window: rows, selection, what each command does
// to the list and which commands are available, from tables.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/settings/ConditionListModel.h"
#include "configuration/CApplications.h"

namespace {

using namespace Configuration;
using Tolv::ConditionCommand;
using Tolv::ConditionListChange;
using Tolv::ConditionListModel;
using Kind = ConditionListChange::Kind;

std::unique_ptr<CApplication> BlankRule()
{
    return std::make_unique<CApplication4SwitchOnApplication>(MT_FILENAME, L"", 0);
}

std::unique_ptr<CApplication> BlankExclusion()
{
    return std::make_unique<CApplication4SwitchOnArchitecture>(MT_FILENAME, L"");
}

// Rules by expression; "-" before a name switches the rule off (IME number -1),
// "+n" after it gives IME number n (default 0).
void Fill(CApplications4SwitchOnApplication& list, const std::vector<std::wstring>& rules)
{
    for (std::wstring rule : rules) {
        int ime = 0;
        if (!rule.empty() && rule[0] == L'-') {
            ime = -1;
            rule.erase(0, 1);
        }
        const std::size_t plus = rule.find(L'+');
        if (plus != std::wstring::npos) {
            ime = std::stoi(rule.substr(plus + 1));
            rule.erase(plus);
        }
        list.Add(std::make_unique<CApplication4SwitchOnApplication>(MT_FILENAME, rule, ime));
    }
}

std::vector<std::wstring> Expressions(const CApplications& list)
{
    std::vector<std::wstring> expressions;
    for (int n = 0; n < list.Count(); ++n) {
        expressions.push_back(list.GetAt(n)->GetExpression());
    }
    return expressions;
}

std::vector<std::wstring> RowExpressions(const ConditionListModel& model)
{
    std::vector<std::wstring> expressions;
    for (int row = 0; row < model.RowCount(); ++row) {
        expressions.push_back(model.RowCondition(row).GetExpression());
    }
    return expressions;
}

// What the dialog does with the working condition it is handed.
enum class Dialog { Cancel, Confirm, ConfirmSwitchedOff };

// The dialog the user answers: it sets match type MT_CLASSNAME and the
// expression "typed" (and IME number -1 for ConfirmSwitchedOff) and answers.
struct FakeDialog {
    Dialog answer;
    int runs = 0;

    bool operator()(CApplication& condition)
    {
        ++runs;
        condition.SetExpression(L"typed");
        condition.SetMatchType(MT_CLASSNAME);
        if (answer == Dialog::ConfirmSwitchedOff) {
            static_cast<CApplication4SwitchOnApplication&>(condition).SetImeNumber(-1);
        }
        return answer != Dialog::Cancel;
    }
};

// The per-application list used by most cases: a switched-off rule between the first two rows.
const std::vector<std::wstring> kRules = {L"a", L"-hidden", L"b", L"c+6"};

struct CommandCase {
    const char* name;
    std::vector<int> selection;
    ConditionCommand command;
    Dialog answer;
    bool dialogRuns;
    std::vector<std::wstring> list; // the list afterwards, in order
    std::vector<std::wstring> rows;  // the rows afterwards
    Kind kind;
    int first;
    int last;
    int selected;
};

void PrintTo(const CommandCase& c, std::ostream* out) { *out << c.name; }

class ConditionListModelCommandTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(ConditionListModelCommandTest, ChangesTheListAndSaysWhichRowsToShowAgain)
{
    const CommandCase& c = GetParam();
    CApplications4SwitchOnApplication list;
    Fill(list, kRules);
    ConditionListModel model(list, BlankRule, true);
    ASSERT_EQ(RowExpressions(model), (std::vector<std::wstring>{L"a", L"b", L"c"}));
    model.SetSelection(c.selection);

    FakeDialog dialog{c.answer};
    const ConditionListChange change = model.Run(c.command, [&](CApplication& condition) { return dialog(condition); });

    EXPECT_EQ(dialog.runs, c.dialogRuns ? 1 : 0);
    EXPECT_EQ(Expressions(list), c.list);
    EXPECT_EQ(RowExpressions(model), c.rows);
    EXPECT_EQ(change.kind, c.kind);
    if (c.kind != Kind::None) {
        EXPECT_EQ(change.first, c.first);
        EXPECT_EQ(change.last, c.last);
        EXPECT_EQ(change.selected, c.selected);
        EXPECT_EQ(model.SelectedRow(), c.selected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ConditionListModelCommandTest,
    ::testing::Values(
        // Add: a blank rule, appended at the end of the list whatever is selected.
        CommandCase{"AddConfirmedAppendsAndSelects", {0}, ConditionCommand::Add, Dialog::Confirm, true,
                    {L"a", L"hidden", L"b", L"c", L"typed"}, {L"a", L"b", L"c", L"typed"}, Kind::Appended, 3, 3, 3},
        CommandCase{"AddCancelledChangesNothing", {}, ConditionCommand::Add, Dialog::Cancel, true,
                    {L"a", L"hidden", L"b", L"c"}, {L"a", L"b", L"c"}, Kind::None, -1, -1, -1},
        CommandCase{"AddSwitchedOffJoinsTheListWithoutARow", {1}, ConditionCommand::Add, Dialog::ConfirmSwitchedOff,
                    true, {L"a", L"hidden", L"b", L"c", L"typed"}, {L"a", L"b", L"c"}, Kind::None, -1, -1, -1},
        // Edit: the selected row's own condition, past the switched-off one.
        CommandCase{"EditConfirmedWritesBack", {1}, ConditionCommand::Edit, Dialog::Confirm, true,
                    {L"a", L"hidden", L"typed", L"c"}, {L"a", L"typed", L"c"}, Kind::Rewritten, 1, 1, 1},
        CommandCase{"EditCancelledChangesNothing", {1}, ConditionCommand::Edit, Dialog::Cancel, true,
                    {L"a", L"hidden", L"b", L"c"}, {L"a", L"b", L"c"}, Kind::None, -1, -1, -1},
        // Switched off by the edit, the rule keeps its row until the page opens again.
        CommandCase{"EditSwitchingOffKeepsTheRow", {2}, ConditionCommand::Edit, Dialog::ConfirmSwitchedOff, true,
                    {L"a", L"hidden", L"b", L"typed"}, {L"a", L"b", L"typed"}, Kind::Rewritten, 2, 2, 2},
        CommandCase{"EditWithoutASelectionDoesNothing", {}, ConditionCommand::Edit, Dialog::Confirm, false,
                    {L"a", L"hidden", L"b", L"c"}, {L"a", L"b", L"c"}, Kind::None, -1, -1, -1},
        CommandCase{"EditWithTwoSelectedDoesNothing", {0, 2}, ConditionCommand::Edit, Dialog::Confirm, false,
                    {L"a", L"hidden", L"b", L"c"}, {L"a", L"b", L"c"}, Kind::None, -1, -1, -1},
        // Delete: exactly the selected row's condition, no question asked.
        CommandCase{"DeletePastTheSwitchedOffOne", {1}, ConditionCommand::Delete, Dialog::Confirm, false,
                    {L"a", L"hidden", L"c"}, {L"a", L"c"}, Kind::Removed, 1, 1, -1},
        CommandCase{"DeleteFirst", {0}, ConditionCommand::Delete, Dialog::Confirm, false, {L"hidden", L"b", L"c"},
                    {L"b", L"c"}, Kind::Removed, 0, 0, -1},
        CommandCase{"DeleteWithoutASelectionDoesNothing", {}, ConditionCommand::Delete, Dialog::Confirm, false,
                    {L"a", L"hidden", L"b", L"c"}, {L"a", L"b", L"c"}, Kind::None, -1, -1, -1},
        // Up and down: trading places with the neighbouring row; the switched-off rule stays put.
        CommandCase{"UpPastTheSwitchedOffOne", {1}, ConditionCommand::Up, Dialog::Confirm, false,
                    {L"b", L"hidden", L"a", L"c"}, {L"b", L"a", L"c"}, Kind::Rewritten, 0, 1, 0},
        CommandCase{"DownFromTheFirst", {0}, ConditionCommand::Down, Dialog::Confirm, false,
                    {L"b", L"hidden", L"a", L"c"}, {L"b", L"a", L"c"}, Kind::Rewritten, 0, 1, 1},
        CommandCase{"DownToTheLast", {1}, ConditionCommand::Down, Dialog::Confirm, false,
                    {L"a", L"hidden", L"c", L"b"}, {L"a", L"c", L"b"}, Kind::Rewritten, 1, 2, 2},
        CommandCase{"UpFromTheFirstDoesNothing", {0}, ConditionCommand::Up, Dialog::Confirm, false,
                    {L"a", L"hidden", L"b", L"c"}, {L"a", L"b", L"c"}, Kind::None, -1, -1, -1},
        CommandCase{"DownFromTheLastDoesNothing", {2}, ConditionCommand::Down, Dialog::Confirm, false,
                    {L"a", L"hidden", L"b", L"c"}, {L"a", L"b", L"c"}, Kind::None, -1, -1, -1}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });

// Which commands are available, as the buttons and the context menu show them.
struct EnabledCase {
    const char* name;
    bool ordered;
    bool editable;
    std::vector<int> selection;
    bool add, edit, remove, up, down;
};

void PrintTo(const EnabledCase& c, std::ostream* out) { *out << c.name; }

class ConditionListModelEnabledTest : public ::testing::TestWithParam<EnabledCase> {};

TEST_P(ConditionListModelEnabledTest, FollowsTheSelection)
{
    const EnabledCase& c = GetParam();
    CApplications4SwitchOnApplication list;
    Fill(list, kRules);
    ConditionListModel model(list, BlankRule, c.ordered);
    model.SetEditable(c.editable);
    model.SetSelection(c.selection);
    EXPECT_EQ(model.IsEnabled(ConditionCommand::Add), c.add);
    EXPECT_EQ(model.IsEnabled(ConditionCommand::Edit), c.edit);
    EXPECT_EQ(model.IsEnabled(ConditionCommand::Delete), c.remove);
    EXPECT_EQ(model.IsEnabled(ConditionCommand::Up), c.up);
    EXPECT_EQ(model.IsEnabled(ConditionCommand::Down), c.down);
}

INSTANTIATE_TEST_SUITE_P(
    Selections, ConditionListModelEnabledTest,
    ::testing::Values(EnabledCase{"NoRow", true, true, {}, true, false, false, false, false},
                      EnabledCase{"FirstRow", true, true, {0}, true, true, true, false, true},
                      EnabledCase{"MiddleRow", true, true, {1}, true, true, true, true, true},
                      EnabledCase{"LastRow", true, true, {2}, true, true, true, true, false},
                      EnabledCase{"TwoRows", true, true, {0, 1}, true, false, false, false, false},
                      EnabledCase{"RowThatIsNotThere", true, true, {3}, true, false, false, false, false},
                      EnabledCase{"NegativeRow", true, true, {-1}, true, false, false, false, false},
                      EnabledCase{"UnorderedMiddleRow", false, true, {1}, true, true, true, false, false},
                      EnabledCase{"NotEditable", true, false, {1}, false, false, false, false, false}),
    [](const ::testing::TestParamInfo<EnabledCase>& info) { return std::string(info.param.name); });

TEST(ConditionListModelTest, ShowsEveryExclusionAndOffersNoMovingInAnUnorderedList)
{
    CApplications4SwitchOnArchitecture list;
    list.Add(std::make_unique<CApplication4SwitchOnArchitecture>(MT_FILENAME, L"tolv.exe"));
    list.Add(std::make_unique<CApplication4SwitchOnArchitecture>(MT_CLASSNAME, L"Shell_TrayWnd"));
    ConditionListModel model(list, BlankExclusion, false);
    EXPECT_EQ(RowExpressions(model), (std::vector<std::wstring>{L"tolv.exe", L"Shell_TrayWnd"}));
    for (const ConditionCommand command : {ConditionCommand::Add, ConditionCommand::Edit, ConditionCommand::Delete}) {
        EXPECT_TRUE(model.Offers(command)) << static_cast<int>(command);
    }
    EXPECT_FALSE(model.Offers(ConditionCommand::Up));
    EXPECT_FALSE(model.Offers(ConditionCommand::Down));

    model.SetSelection({0});
    EXPECT_EQ(model.Run(ConditionCommand::Down, [](CApplication&) { return true; }).kind, Kind::None);
    EXPECT_EQ(Expressions(list), (std::vector<std::wstring>{L"tolv.exe", L"Shell_TrayWnd"}));

    // A new exclusion is of the list's own kind and starts blank.
    std::wstring shown = L"not run";
    const ConditionListChange added = model.Run(ConditionCommand::Add, [&](CApplication& condition) {
        shown = condition.GetExpression();
        EXPECT_EQ(condition.GetMatchType(), MT_FILENAME);
        EXPECT_NE(dynamic_cast<CApplication4SwitchOnArchitecture*>(&condition), nullptr);
        condition.SetExpression(L"game.exe");
        return true;
    });
    EXPECT_EQ(shown, L"");
    EXPECT_EQ(added.kind, Kind::Appended);
    EXPECT_EQ(Expressions(list), (std::vector<std::wstring>{L"tolv.exe", L"Shell_TrayWnd", L"game.exe"}));
}

TEST(ConditionListModelTest, EditHandsTheDialogACopyOfTheSelectedRuleWithItsImeNumber)
{
    CApplications4SwitchOnApplication list;
    Fill(list, kRules);
    ConditionListModel model(list, BlankRule, true);
    model.SetSelection({2});
    const CApplication* const stored = list.GetAt(3);
    model.Run(ConditionCommand::Edit, [&](CApplication& condition) {
        EXPECT_NE(&condition, stored) << "a cancelled dialog must leave the rule as it was";
        EXPECT_EQ(condition.GetExpression(), L"c");
        auto& rule = dynamic_cast<CApplication4SwitchOnApplication&>(condition);
        EXPECT_EQ(rule.GetImeNumber(), 6) << "a slot the file does not have stays until another is chosen";
        rule.SetImeNumber(2);
        return true;
    });
    EXPECT_EQ(list.GetAt(3), stored) << "the rule is written back, not replaced";
    EXPECT_EQ(list.GetAt(3)->GetImeNumber(), 2);
    EXPECT_EQ(list.GetAt(3)->GetExpression(), L"c");
}

// A run of commands as a user makes them: the rows keep naming the right
// conditions after deletes and moves around a switched-off rule.
TEST(ConditionListModelTest, RowsFollowTheListThroughDeletesAndMoves)
{
    CApplications4SwitchOnApplication list;
    Fill(list, {L"a", L"-off1", L"b", L"-off2", L"c", L"d"});
    ConditionListModel model(list, BlankRule, true);
    int typed = 0;
    const auto run = [&](std::vector<int> selection, ConditionCommand command) {
        model.SetSelection(selection);
        return model.Run(command, [&](CApplication& condition) {
            condition.SetExpression(L"x" + std::to_wstring(++typed));
            return true;
        });
    };
    run({3}, ConditionCommand::Up);     // d above c
    run({0}, ConditionCommand::Delete); // a goes
    run({0}, ConditionCommand::Down);   // b below d
    run({}, ConditionCommand::Add);
    run({1}, ConditionCommand::Delete); // b goes
    EXPECT_EQ(RowExpressions(model), (std::vector<std::wstring>{L"d", L"c", L"x1"}));
    EXPECT_EQ(Expressions(list), (std::vector<std::wstring>{L"off1", L"d", L"off2", L"c", L"x1"}));
    run({2}, ConditionCommand::Edit);
    run({1}, ConditionCommand::Up);
    EXPECT_EQ(Expressions(list), (std::vector<std::wstring>{L"off1", L"c", L"off2", L"d", L"x2"}));
}

} // namespace
