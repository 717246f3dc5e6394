#pragma once
// Driving the condition lists of the settings sheet as a user would: reading
// rows, selecting them, real mouse clicks on rows and reading the context menu.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace TolvTest {

using Row = std::vector<std::wstring>;

// Every cell of every row, in row order.
std::vector<Row> Rows(HWND list);
std::vector<std::wstring> ColumnHeaders(HWND list);
std::vector<int> ColumnWidths(HWND list);
// Exactly these rows selected, whatever the list's own selection rule.
void SelectRows(HWND list, std::initializer_list<int> rows);

// Mouse input through the system, at the middle of a row's first cell.
void DoubleClickRow(HWND list, int row);
void RightClickRow(HWND list, int row);
void ClickRow(HWND list, int row);
// A right click below the last row, where no row is hit.
void RightClickBelowRows(HWND list);

// The first selected row, -1 for none.
int SelectedRow(HWND list);
// True when the whole row lies inside the list's client area.
bool IsRowVisible(HWND list, int row);
// The widest of `texts` in the list's font (LVM_GETSTRINGWIDTHW).
int WidestText(HWND list, const std::vector<std::wstring>& texts);

// Shift held around one key press, through the system's input queue.
void PressShifted(WORD virtualKey);

// The open context menu's window, null after the time-out.
HWND WaitForPopupMenu(DWORD timeoutMs = 5000);
// How many items, separators included, the open context menu has.
int PopupItemCount(HWND menuWindow);
// The state flags (MFS_...) of a command of the open context menu.
UINT PopupItemState(HWND menuWindow, UINT command);

// The system DPI is read when a process starts: a test runs itself again as a
// child process with the setting at `dpi`, runs only the tests of `filter`
// there and puts the setting back afterwards. The child's exit code (0: passed).
DWORD RunAgainAtDpi(const std::wstring& filter, DWORD dpi);
// True in such a child.
bool IsDpiChild();

// The texts of a drop-down list's entries and its selection (-1 for none).
std::vector<std::wstring> ComboItems(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);

} // namespace TolvTest
