#include "app/settings/HotkeyDialog.h"

#include <string>

#include "app/settings/PageProtocol.h"
#include "flib/window/CButton.h"
#include "flib/window/CCheckBox.h"
#include "flib/window/CComboBox.h"
#include "flib/window/CDialogBox.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Flib::IO::Input::CKey;
using Flib::IO::Input::CKeys;
using Flib::Windows::Window::CButton;
using Flib::Windows::Window::CCheckBox;
using Flib::Windows::Window::CComboBox;
using Flib::Windows::Window::CDialogBox;

namespace {

constexpr std::uint8_t kFirstDigit = '0';
constexpr std::uint8_t kLastDigit = '9';

// Modal and on the main thread: one dialog at a time.
CDialogBox* openDialog = nullptr;
CCheckBox altBox;
CCheckBox ctrlBox;
CCheckBox shiftBox;
CComboBox digitList;
CButton okButton;

CKeys& Keys() { return *static_cast<CKeys*>(openDialog->GetParam()); }

void Initialise()
{
    altBox.AttachItem(*openDialog, IDC_HOTKEY_ALT);
    ctrlBox.AttachItem(*openDialog, IDC_HOTKEY_CTRL);
    shiftBox.AttachItem(*openDialog, IDC_HOTKEY_SHIFT);
    digitList.AttachItem(*openDialog, IDC_HOTKEY_DIGIT);
    okButton.AttachItem(*openDialog, IDOK);

    digitList.ResetContent();
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
        digitList.AddString(std::wstring(1, digit));
    }
    for (const CKey& key : Keys()) {
        const std::uint8_t code = key.GetCode();
        if (code == VK_MENU) {
            altBox.SetChecked(TRUE);
        } else if (code == VK_CONTROL) {
            ctrlBox.SetChecked(TRUE);
        } else if (code == VK_SHIFT) {
            shiftBox.SetChecked(TRUE);
        } else if (code >= kFirstDigit && code <= kLastDigit) {
            digitList.SetCurSel(code - kFirstDigit);
        }
    }
    okButton.Enable(digitList.GetCurSel() != CB_ERR);
}

void Confirm()
{
    const LRESULT digit = digitList.GetCurSel();
    if (digit == CB_ERR) {
        return; // OK is disabled then; Enter must not store a hotkey without its digit either
    }
    CKeys& keys = Keys();
    keys.Clear();
    if (altBox.IsChecked()) {
        keys.AddBack(CKey(VK_MENU));
    }
    if (ctrlBox.IsChecked()) {
        keys.AddBack(CKey(VK_CONTROL));
    }
    if (shiftBox.IsChecked()) {
        keys.AddBack(CKey(VK_SHIFT));
    }
    keys.AddBack(CKey(static_cast<std::uint8_t>(kFirstDigit + digit)));
    openDialog->End(1);
}

INT_PTR Handle(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        openDialog = reinterpret_cast<CDialogBox*>(lParam);
        Initialise();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Confirm();
            return TRUE;
        case IDCANCEL:
            openDialog->End(2);
            return TRUE;
        case IDC_HOTKEY_DIGIT:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                okButton.Enable(digitList.GetCurSel() != CB_ERR);
            }
            return TRUE;
        default:
            return FALSE;
        }
    case WM_CLOSE:
        openDialog->End(2);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK HotkeyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Guarded([&] { return Handle(dialog, message, wParam, lParam); });
}

} // namespace

INT_PTR RunHotkeyDialog(HINSTANCE instance, HWND owner, CKeys& keys)
{
    CDialogBox dialog;
    const INT_PTR result = dialog.DoModalWithParam(IDD_HOTKEY, instance, owner, HotkeyDialogProc, &keys);
    openDialog = nullptr;
    return result;
}

} // namespace Tolv
