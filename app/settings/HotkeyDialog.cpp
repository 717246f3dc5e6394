#include "app/settings/HotkeyDialog.h"

#include <string>

#include "app/settings/SettingsMessage.h"
#include "flib/window/BoundObject.h"
#include "flib/window/CButton.h"
#include "flib/window/CCheckBox.h"
#include "flib/window/CComboBox.h"
#include "flib/window/CDialogBox.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Flib::IO::Input::CKey;
using Flib::IO::Input::CKeys;
using Flib::Windows::Window::BoundDialogProcedure;
using Flib::Windows::Window::CButton;
using Flib::Windows::Window::CCheckBox;
using Flib::Windows::Window::CComboBox;
using Flib::Windows::Window::CDialogBox;

namespace {

constexpr std::uint8_t kFirstDigit = '0';
constexpr std::uint8_t kLastDigit = '9';

// One run of the dialog: the object the system hands to the procedure, kept
// in the window's DWLP_USER slot.
class HotkeyDialog : public CDialogBox {
public:
    HotkeyDialog(const std::wstring& slotText, const std::vector<HotkeyInUse>& others)
        : slotText_(slotText), others_(others)
    {
    }

    friend INT_PTR CALLBACK Flib::Windows::Window::BoundDialogProcedure<HotkeyDialog>(HWND, UINT, WPARAM, LPARAM);

private:
    CKeys& Keys() { return *static_cast<CKeys*>(GetParam()); }

    void Initialise()
    {
        std::wstring caption;
        GetText(caption);
        SetText(caption + L" - " + slotText_);
        altBox_.AttachItem(*this, IDC_HOTKEY_ALT);
        ctrlBox_.AttachItem(*this, IDC_HOTKEY_CTRL);
        shiftBox_.AttachItem(*this, IDC_HOTKEY_SHIFT);
        digitList_.AttachItem(*this, IDC_HOTKEY_DIGIT);
        okButton_.AttachItem(*this, IDOK);

        for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
            digitList_.AddString(std::wstring(1, digit));
        }
        for (const CKey& key : Keys()) {
            const std::uint8_t code = key.GetCode();
            if (code == VK_MENU) {
                altBox_.SetChecked(TRUE);
            } else if (code == VK_CONTROL) {
                ctrlBox_.SetChecked(TRUE);
            } else if (code == VK_SHIFT) {
                shiftBox_.SetChecked(TRUE);
            } else if (code >= kFirstDigit && code <= kLastDigit) {
                digitList_.SetCurSel(code - kFirstDigit);
            }
        }
        FollowChoice();
    }

    bool IsComplete()
    {
        const bool modifier = altBox_.IsChecked() || ctrlBox_.IsChecked() || shiftBox_.IsChecked();
        return modifier && digitList_.GetCurSel() != CB_ERR;
    }

    void FollowChoice() { okButton_.Enable(IsComplete() ? TRUE : FALSE); }

    CKeys Chosen()
    {
        CKeys keys;
        if (altBox_.IsChecked()) {
            keys.AddBack(CKey(VK_MENU));
        }
        if (ctrlBox_.IsChecked()) {
            keys.AddBack(CKey(VK_CONTROL));
        }
        if (shiftBox_.IsChecked()) {
            keys.AddBack(CKey(VK_SHIFT));
        }
        keys.AddBack(CKey(static_cast<std::uint8_t>(kFirstDigit + digitList_.GetCurSel())));
        return keys;
    }

    // False when the user would rather choose another combination.
    bool AcceptedAlthoughInUse(const CKeys& chosen)
    {
        for (const HotkeyInUse& other : others_) {
            if (other.keys == chosen) {
                return ShowSettingsMessage(GetInstance(), GetHandle(), IDS_HOTKEY_IN_USE, {other.slotText},
                                           MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
            }
        }
        return true;
    }

    void Confirm()
    {
        // OK is disabled then; Enter must not store such a hotkey either.
        if (!IsComplete()) {
            return;
        }
        const CKeys chosen = Chosen();
        if (!AcceptedAlthoughInUse(chosen)) {
            return;
        }
        Keys() = chosen;
        End(1);
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM)
    {
        switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
            case IDOK:
                Confirm();
                return TRUE;
            case IDCANCEL:
                End(2);
                return TRUE;
            case IDC_HOTKEY_ALT:
            case IDC_HOTKEY_CTRL:
            case IDC_HOTKEY_SHIFT:
            case IDC_HOTKEY_DIGIT:
                FollowChoice();
                return TRUE;
            default:
                return FALSE;
            }
        case WM_CLOSE:
            End(2);
            return TRUE;
        default:
            return FALSE;
        }
    }

    const std::wstring& slotText_;
    const std::vector<HotkeyInUse>& others_;
    CCheckBox altBox_;
    CCheckBox ctrlBox_;
    CCheckBox shiftBox_;
    CComboBox digitList_;
    CButton okButton_;
};

} // namespace

INT_PTR RunHotkeyDialog(HINSTANCE instance, HWND owner, const std::wstring& slotText,
                        const std::vector<HotkeyInUse>& others, CKeys& keys)
{
    HotkeyDialog dialog(slotText, others);
    return dialog.DoModalWithParam(IDD_HOTKEY, instance, owner, BoundDialogProcedure<HotkeyDialog>, &keys);
}

} // namespace Tolv
