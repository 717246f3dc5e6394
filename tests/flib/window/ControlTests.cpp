// The control classes on a real dialog: what they keep beside the control
// (combo box item data, radio groups) and the records they pass on.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "flib/window/CButton.h"
#include "flib/window/CCheckBox.h"
#include "flib/window/CComboBox.h"
#include "flib/window/CDialogBox.h"
#include "flib/window/CListView.h"
#include "flib/window/CRadioButton.h"
#include "tests/flib/window/ControlTestResourceIds.h"

namespace {

using namespace Flib::Windows::Window;

HINSTANCE Module() { return ::GetModuleHandleW(nullptr); }

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&classes);
        ASSERT_NE(dialog.CreateModeless(IDD_CONTROL_TEST, Module(), nullptr, PlainDialogProc), nullptr);
    }
    void TearDown() override { dialog.Destroy(); }

    CDialogBox dialog;
};

TEST_F(ControlTest, AttachingBindsTheItemItsParentAndTheModuleOfTheWindow)
{
    CCheckBox box;
    EXPECT_EQ(box.AttachItem(dialog, IDC_CONTROL_CHECK), Module());
    EXPECT_EQ(box.GetHandle(), ::GetDlgItem(dialog.GetHandle(), IDC_CONTROL_CHECK));
    EXPECT_EQ(box.GetParentCached(), dialog.GetHandle());
    EXPECT_EQ(box.GetControlId(), IDC_CONTROL_CHECK);

    // An id the dialog lacks leaves the object on no window.
    box.SetCheck(BST_CHECKED);
    box.AttachItemOfHandle(dialog.GetHandle(), IDC_CONTROL_MISSING);
    EXPECT_EQ(box.GetHandle(), nullptr);
    EXPECT_EQ(box.GetControlId(), IDC_CONTROL_MISSING);
    EXPECT_EQ(box.GetCheck(), 0);
    EXPECT_FALSE(box.IsChecked());
}

TEST_F(ControlTest, CheckBoxCountsOnlyAFullTickAsCheckedAndTicksForAnyNonZeroFlag)
{
    CCheckBox box;
    box.AttachItem(dialog, IDC_CONTROL_CHECK);
    struct Case {
        WPARAM state;
        bool checked;
    };
    for (const Case& c : {Case{BST_CHECKED, true}, Case{BST_INDETERMINATE, false}, Case{BST_UNCHECKED, false}}) {
        box.SetCheck(c.state);
        EXPECT_EQ(box.GetCheck(), static_cast<LRESULT>(c.state));
        EXPECT_EQ(box.IsChecked(), c.checked) << "state " << c.state;
    }
    for (const BOOL flag : {1, 2, -1}) {
        box.SetCheck(BST_UNCHECKED);
        box.SetChecked(flag);
        EXPECT_EQ(box.GetCheck(), BST_CHECKED) << "flag " << flag;
    }
    box.SetChecked(FALSE);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
}

TEST_F(ControlTest, ComboBoxKeepsOneDataEntryPerAddUntilReset)
{
    CComboBox combo;
    combo.AttachItem(dialog, IDC_CONTROL_COMBO);
    int first = 0;
    int second = 0;
    EXPECT_EQ(combo.AddString(std::wstring(L"なし")), 0);
    EXPECT_EQ(combo.AddStringWithData(std::wstring(L"一"), &first), 1);
    EXPECT_EQ(combo.AddString(L"二"), 2);
    EXPECT_EQ(combo.AddStringWithData(L"三", &second), 3);
    EXPECT_EQ(combo.GetItemData(0), nullptr);
    EXPECT_EQ(combo.GetItemData(1), &first);
    EXPECT_EQ(combo.GetItemData(2), nullptr);
    EXPECT_EQ(combo.GetItemData(3), &second);
    // Indices without an entry, the "no selection" result among them, give no data.
    EXPECT_EQ(combo.GetItemData(4), nullptr);
    EXPECT_EQ(combo.GetItemData(CB_ERR), nullptr);

    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.SelectString(-1, L"三"), 3);
    EXPECT_EQ(combo.GetItemData(combo.GetCurSel()), &second);
    EXPECT_EQ(combo.FindString(-1, std::wstring(L"一")), 1);

    combo.ResetContent();
    EXPECT_EQ(combo.Send(CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(combo.GetItemData(1), nullptr);
    // After a reset the entries start again at the first item.
    EXPECT_EQ(combo.AddStringWithData(L"新", &first), 0);
    EXPECT_EQ(combo.GetItemData(0), &first);
}

class ListViewTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        list.AttachItem(dialog, IDC_CONTROL_LIST);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 80;
        column.pszText = const_cast<wchar_t*>(L"列");
        ASSERT_EQ(list.AppendColumn(column), 0);
        ASSERT_EQ(list.AppendColumn(column), 1);
    }

    std::wstring TextOf(int index)
    {
        wchar_t buffer[64] = {};
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = buffer;
        item.cchTextMax = 64;
        list.GetItem(item);
        return buffer;
    }

    CListView list;
};

TEST_F(ListViewTest, AppendColumnGoesAfterTheLastColumn)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(L"三");
    EXPECT_EQ(list.AppendColumn(column), 2);
    HWND header = reinterpret_cast<HWND>(list.Send(LVM_GETHEADER, 0, 0));
    EXPECT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3);
}

TEST_F(ListViewTest, AppendItemGoesAfterTheLastItemAndLeavesTheCallersRecordAlone)
{
    for (const wchar_t* text : {L"a", L"b", L"c"}) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.pszText = const_cast<wchar_t*>(text);
        ASSERT_GE(list.AppendItem(item), 0);
    }
    ASSERT_EQ(list.GetItemCount(), 3);

    int data = 0;
    LVITEMW record = {};
    record.mask = LVIF_TEXT | LVIF_PARAM;
    record.iItem = 1; // the record's own index must not matter
    record.pszText = const_cast<wchar_t*>(L"新しい行");
    record.lParam = reinterpret_cast<LPARAM>(&data);
    LVITEMW before;
    std::memcpy(&before, &record, sizeof(record));

    EXPECT_EQ(list.AppendItem(record), 3);
    EXPECT_EQ(std::memcmp(&before, &record, sizeof(record)), 0) << "the caller's record was changed";
    EXPECT_EQ(TextOf(1), L"b");
    EXPECT_EQ(TextOf(3), L"新しい行");
    LVITEMW read = {};
    read.mask = LVIF_PARAM;
    read.iItem = 3;
    ASSERT_TRUE(list.GetItem(read));
    EXPECT_EQ(read.lParam, reinterpret_cast<LPARAM>(&data));
}

TEST_F(ListViewTest, SelectingAndDeselectingShowsInTheNextSelectedItem)
{
    for (int i = 0; i < 3; ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.pszText = const_cast<wchar_t*>(L"x");
        list.AppendItem(item);
    }
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    list.SelectItem(2);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    list.DeselectItem(2);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    list.DeleteItem(0);
    EXPECT_EQ(list.GetItemCount(), 2);
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ControlTest, RadioGroupReportsTheLowestCheckedIdAndZeroWhenNoneIsChecked)
{
    CRadioButton group;
    for (const int id : {IDC_CONTROL_RADIO_C, IDC_CONTROL_RADIO_A, IDC_CONTROL_RADIO_B, IDC_CONTROL_RADIO_C}) {
        group.AddButton(dialog.GetHandle(), id);
    }
    EXPECT_EQ(group.GetCheckedId(), 0);

    group.CheckId(IDC_CONTROL_RADIO_C);
    EXPECT_EQ(::IsDlgButtonChecked(dialog.GetHandle(), IDC_CONTROL_RADIO_C), BST_CHECKED);
    EXPECT_EQ(group.GetCheckedId(), IDC_CONTROL_RADIO_C);
    // Checking one leaves the others as they are, so the lowest checked id wins.
    group.CheckId(IDC_CONTROL_RADIO_B);
    EXPECT_EQ(::IsDlgButtonChecked(dialog.GetHandle(), IDC_CONTROL_RADIO_C), BST_CHECKED);
    EXPECT_EQ(group.GetCheckedId(), IDC_CONTROL_RADIO_B);
    group.CheckId(IDC_CONTROL_MISSING); // not in the group: nothing happens
    EXPECT_EQ(group.GetCheckedId(), IDC_CONTROL_RADIO_B);

    // Emptied, the group sees none of the buttons any more.
    group.AddButton(dialog.GetHandle(), 0);
    EXPECT_EQ(group.GetCheckedId(), 0);
    group.CheckId(IDC_CONTROL_RADIO_A);
    EXPECT_EQ(::IsDlgButtonChecked(dialog.GetHandle(), IDC_CONTROL_RADIO_A), BST_UNCHECKED);
}

TEST_F(ControlTest, ButtonIconReplacesThePreviousImage)
{
    CButton button;
    button.AttachItem(dialog, IDC_CONTROL_BUTTON);
    EXPECT_FALSE(button.SetIcon(IDI_CONTROL_TEST)) << "the button had no image yet";
    const LRESULT first = button.Send(BM_GETIMAGE, IMAGE_ICON, 0);
    EXPECT_NE(first, 0);
    EXPECT_TRUE(button.SetIcon(IDI_CONTROL_TEST));
    const LRESULT second = button.Send(BM_GETIMAGE, IMAGE_ICON, 0);
    EXPECT_NE(second, 0);
    EXPECT_NE(second, first);
}

} // namespace
