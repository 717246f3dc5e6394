#include "app/AboutDialog.h"

#include <shellapi.h>

#include <string>

#include "flib/window/BoundObject.h"
#include "flib/window/CDialogBox.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Flib::Windows::Window::CDialogBox;
using Flib::Windows::Window::LoadResourceString;

namespace {

std::wstring Text(HINSTANCE instance, UINT id)
{
    std::wstring text;
    LoadResourceString(instance, id, text);
    return text;
}

// One run of the box: the object the system hands to the procedure.
class AboutDialog : public CDialogBox {
public:
    explicit AboutDialog(ActiveModalWindow& modal) : modal_(modal) {}

    friend INT_PTR CALLBACK Flib::Windows::Window::BoundDialogProcedure<AboutDialog>(HWND, UINT, WPARAM, LPARAM);

private:
    void Initialise()
    {
        modal_.Shows(GetHandle());
        const HINSTANCE instance = GetInstance();
        SetItemText(IDC_ABOUT_TITLE, Text(instance, IDS_APP_TITLE) + L" Ver." + Text(instance, IDS_APP_VERSION));
        SetItemText(IDC_ABOUT_RIGHTS, Text(instance, IDS_RIGHTS_NOTICE));
        SetItemText(IDC_ABOUT_HOMEPAGE, Text(instance, IDS_HOMEPAGE_URL));
        SetItemText(IDC_ABOUT_MAIL, Text(instance, IDS_MAIL_ADDRESS));
    }

    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM)
    {
        switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
            case IDOK:
                End(1);
                return TRUE;
            case IDC_ABOUT_HOMEPAGE:
            case IDC_ABOUT_MAIL: {
                const std::wstring address =
                    Text(GetInstance(), LOWORD(wParam) == IDC_ABOUT_HOMEPAGE ? IDS_HOMEPAGE_URL : IDS_MAIL_ADDRESS);
                ::ShellExecuteW(GetHandle(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
                return TRUE;
            }
            default:
                return FALSE; // Esc (IDCANCEL) does not close the box
            }
        case WM_CLOSE:
            End(2);
            return TRUE;
        default:
            return FALSE;
        }
    }

    ActiveModalWindow& modal_;
};

} // namespace

INT_PTR ShowAboutDialog(HINSTANCE instance, HWND owner, ActiveModalWindow& modal)
{
    AboutDialog box(modal);
    return box.DoModal(IDD_ABOUT, instance, owner, Flib::Windows::Window::BoundDialogProcedure<AboutDialog>);
}

} // namespace Tolv
