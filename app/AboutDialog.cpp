#include "app/AboutDialog.h"

#include <shellapi.h>

#include <string>

#include "app/ActiveModalWindow.h"
#include "flib/window/CDialogBox.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Flib::Windows::Window::CDialogBox;
using Flib::Windows::Window::LoadResourceString;

namespace {

CDialogBox* openBox = nullptr; // modal and on the main thread: one at a time

std::wstring Text(HINSTANCE instance, UINT id)
{
    std::wstring text;
    LoadResourceString(instance, id, text);
    return text;
}

void Close(INT_PTR result)
{
    ActiveModalWindow = nullptr;
    openBox->End(result);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        openBox = reinterpret_cast<CDialogBox*>(lParam);
        ActiveModalWindow = dialog;
        const HINSTANCE instance = openBox->GetInstance();
        openBox->SetItemText(IDC_ABOUT_TITLE, Text(instance, IDS_APP_TITLE) + L" Ver." + Text(instance, IDS_APP_VERSION));
        openBox->SetItemText(IDC_ABOUT_RIGHTS, Text(instance, IDS_RIGHTS_NOTICE));
        openBox->SetItemText(IDC_ABOUT_HOMEPAGE, Text(instance, IDS_HOMEPAGE_URL));
        openBox->SetItemText(IDC_ABOUT_MAIL, Text(instance, IDS_MAIL_ADDRESS));
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Close(1);
            return TRUE;
        case IDC_ABOUT_HOMEPAGE:
        case IDC_ABOUT_MAIL: {
            const std::wstring address =
                Text(openBox->GetInstance(), LOWORD(wParam) == IDC_ABOUT_HOMEPAGE ? IDS_HOMEPAGE_URL : IDS_MAIL_ADDRESS);
            ::ShellExecuteW(dialog, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            return TRUE;
        }
        default:
            return FALSE; // Esc (IDCANCEL) does not close the box
        }
    case WM_CLOSE:
        Close(2);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR ShowAboutDialog(HINSTANCE instance, HWND owner)
{
    CDialogBox box;
    const INT_PTR result = box.DoModal(IDD_ABOUT, instance, owner, AboutDialogProc);
    openBox = nullptr;
    ActiveModalWindow = nullptr; // also when the box ended without OK or close
    return result;
}

} // namespace Tolv
