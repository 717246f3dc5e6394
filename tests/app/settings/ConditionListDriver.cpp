#include "tests/app/settings/ConditionListDriver.h"

#include <commctrl.h>

#include "tests/support/Wait.h"

namespace TolvTest {

namespace {

constexpr UINT kGetMenuHandle = 0x01E1; // MN_GETHMENU
constexpr wchar_t kDpiChildVariable[] = L"TOLV_TEST_DPI_CHILD";

class SystemDpiSetting {
public:
    explicit SystemDpiSetting(DWORD dpi)
    {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                          &key_, nullptr);
        DWORD size = sizeof(old_);
        had_ = ::RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
               ERROR_SUCCESS;
        ::RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    }
    ~SystemDpiSetting()
    {
        if (had_) {
            ::RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof(old_));
        } else {
            ::RegDeleteValueW(key_, L"LogPixels");
        }
        ::RegCloseKey(key_);
    }
    SystemDpiSetting(const SystemDpiSetting&) = delete;
    SystemDpiSetting& operator=(const SystemDpiSetting&) = delete;

private:
    HKEY key_ = nullptr;
    DWORD old_ = 96;
    bool had_ = false;
};

std::wstring CellText(HWND list, int row, int column)
{
    wchar_t text[512] = {};
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

int ColumnCount(HWND list)
{
    HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    return static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

void SendMouse(DWORD flags, POINT at)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(at.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(at.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof(input));
}

// The click goes to whatever lies under the point: bring the list's window to the
// front and wait until that window is what the point hits (on a loaded machine the
// sheet may still be coming up, or another window may still be in front). Only the
// window counts: asked from another thread, the point hits the page's group box,
// which lies over the list but lets real clicks through to it.
void Click(HWND list, POINT at, DWORD down, DWORD up, int times)
{
    const HWND window = ::GetAncestor(list, GA_ROOT);
    ::SetForegroundWindow(window);
    WaitUntil([&] { return ::GetAncestor(::WindowFromPoint(at), GA_ROOT) == window; }, 5000);
    SendMouse(0, at);
    for (int n = 0; n < times; ++n) {
        SendMouse(down, at);
        SendMouse(up, at);
    }
}

POINT RowPoint(HWND list, int row)
{
    RECT cell = {};
    cell.left = LVIR_LABEL;
    ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    POINT at = {cell.left + 10, (cell.top + cell.bottom) / 2};
    ::ClientToScreen(list, &at);
    return at;
}

HMENU MenuOf(HWND menuWindow) { return reinterpret_cast<HMENU>(::SendMessageW(menuWindow, kGetMenuHandle, 0, 0)); }

bool PopupMenuShown()
{
    const HWND found = ::FindWindowW(L"#32768", nullptr);
    return found != nullptr && ::IsWindowVisible(found) && MenuOf(found) != nullptr;
}

// Right after a dialog of the sheet has closed, a loaded Wine desktop now and
// then drops the menu of the first right click while it is still handing the
// activation back; a user clicks again, and so does the test.
void RightClickForMenu(HWND list, POINT at)
{
    Click(list, at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
    if (!WaitUntil(PopupMenuShown, 3000)) {
        Click(list, at, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
    }
}

} // namespace

DWORD RunAgainAtDpi(const std::wstring& filter, DWORD dpi)
{
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=" + filter;
    PROCESS_INFORMATION child = {};
    {
        const SystemDpiSetting setting(dpi);
        ::SetEnvironmentVariableW(kDpiChildVariable, L"1");
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        const BOOL started = ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                              &startup, &child);
        ::SetEnvironmentVariableW(kDpiChildVariable, nullptr);
        if (!started) {
            return 1;
        }
        // The child has read the setting once its first window exists; waiting for its end is simpler and sure.
        ::WaitForSingleObject(child.hProcess, 120000);
    }
    DWORD exitCode = 1;
    ::GetExitCodeProcess(child.hProcess, &exitCode);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
    return exitCode;
}

bool IsDpiChild() { return ::GetEnvironmentVariableW(kDpiChildVariable, nullptr, 0) != 0; }

std::vector<Row> Rows(HWND list)
{
    std::vector<Row> rows;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < count; ++r) {
        Row row;
        for (int c = 0; c < ColumnCount(list); ++c) {
            row.push_back(CellText(list, r, c));
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::wstring> ColumnHeaders(HWND list)
{
    std::vector<std::wstring> headers;
    for (int c = 0; c < ColumnCount(list); ++c) {
        wchar_t text[64] = {};
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = 64;
        ::SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
        headers.push_back(text);
    }
    return headers;
}

std::vector<int> ColumnWidths(HWND list)
{
    std::vector<int> widths;
    for (int c = 0; c < ColumnCount(list); ++c) {
        widths.push_back(static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c), 0)));
    }
    return widths;
}

void SelectRows(HWND list, std::initializer_list<int> rows)
{
    LVITEMW state = {};
    state.stateMask = LVIS_SELECTED;
    state.state = 0;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_SELECTED;
    for (const int row : rows) {
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
    }
}

void DoubleClickRow(HWND list, int row)
{
    Click(list, RowPoint(list, row), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
}

void ClickRow(HWND list, int row) { Click(list, RowPoint(list, row), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1); }

int SelectedRow(HWND list) { return static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }

bool IsRowVisible(HWND list, int row)
{
    RECT cell = {};
    cell.left = LVIR_BOUNDS;
    RECT client = {};
    ::GetClientRect(list, &client);
    return ::SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell)) &&
           cell.top >= client.top && cell.bottom <= client.bottom;
}

int WidestText(HWND list, const std::vector<std::wstring>& texts)
{
    int widest = 0;
    for (const std::wstring& text : texts) {
        const int width = static_cast<int>(::SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
        widest = width > widest ? width : widest;
    }
    return widest;
}

void PressShifted(WORD virtualKey)
{
    INPUT keys[4] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
    }
    keys[0].ki.wVk = VK_SHIFT;
    keys[1].ki.wVk = virtualKey;
    keys[2].ki.wVk = virtualKey;
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_SHIFT;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, keys, sizeof(INPUT));
}

void RightClickRow(HWND list, int row) { RightClickForMenu(list, RowPoint(list, row)); }

void RightClickBelowRows(HWND list)
{
    RECT client = {};
    ::GetClientRect(list, &client);
    POINT at = {client.right / 2, client.bottom - 8};
    ::ClientToScreen(list, &at);
    RightClickForMenu(list, at);
}

HWND WaitForPopupMenu(DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = ::FindWindowW(L"#32768", nullptr);
            return found != nullptr && ::IsWindowVisible(found) && MenuOf(found) != nullptr;
        },
        timeoutMs);
    return found != nullptr && ::IsWindowVisible(found) ? found : nullptr;
}

int PopupItemCount(HWND menuWindow) { return ::GetMenuItemCount(MenuOf(menuWindow)); }

UINT PopupItemState(HWND menuWindow, UINT command)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    ::GetMenuItemInfoW(MenuOf(menuWindow), command, FALSE, &info);
    return info.fState;
}

std::vector<std::wstring> ComboItems(HWND dialog, int id)
{
    std::vector<std::wstring> items;
    const int count = static_cast<int>(::SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        ::SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

int ComboSelection(HWND dialog, int id)
{
    return static_cast<int>(::SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

} // namespace TolvTest
