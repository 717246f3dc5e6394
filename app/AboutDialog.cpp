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

std::wstring Text(HINSTANCE instance, UINT id)
{
    std::wstring text;
    LoadResourceString(instance, id, text);
    return text;
}

// The box's object arrives with WM_INITDIALOG and stays in the dialog's user
// slot, so every box, however many, reaches its own.
CDialogBox* BoxOf(HWND dialog) { return reinterpret_cast<CDialogBox*>(::GetWindowLongPtrW(dialog, DWLP_USER)); }

void Close(CDialogBox& box, INT_PTR result)
{
    ReleaseActiveModalWindow(box.GetHandle());
    box.End(result);
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* box = reinterpret_cast<CDialogBox*>(lParam);
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        ActiveModalWindow = dialog;
        const HINSTANCE instance = box->GetInstance();
        box->SetItemText(IDC_ABOUT_TITLE, Text(instance, IDS_APP_TITLE) + L" Ver." + Text(instance, IDS_APP_VERSION));
        box->SetItemText(IDC_ABOUT_RIGHTS, Text(instance, IDS_RIGHTS_NOTICE));
        box->SetItemText(IDC_ABOUT_HOMEPAGE, Text(instance, IDS_HOMEPAGE_URL));
        box->SetItemText(IDC_ABOUT_MAIL, Text(instance, IDS_MAIL_ADDRESS));
        return TRUE;
    }
    CDialogBox* box = BoxOf(dialog);
    if (box == nullptr) {
        return FALSE;
    }
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Close(*box, 1);
            return TRUE;
        case IDC_ABOUT_HOMEPAGE:
        case IDC_ABOUT_MAIL: {
            const std::wstring address =
                Text(box->GetInstance(), LOWORD(wParam) == IDC_ABOUT_HOMEPAGE ? IDS_HOMEPAGE_URL : IDS_MAIL_ADDRESS);
            ::ShellExecuteW(dialog, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            return TRUE;
        }
        default:
            return FALSE; // Esc (IDCANCEL) does not close the box
        }
    case WM_CLOSE:
        Close(*box, 2);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return HandleMessage(dialog, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the dialog manager; the box stays as it is.
        return FALSE;
    }
}

} // namespace

INT_PTR ShowAboutDialog(HINSTANCE instance, HWND owner)
{
    CDialogBox box;
    const INT_PTR result = box.DoModal(IDD_ABOUT, instance, owner, AboutDialogProc);
    // Also when the box ended without OK or close; the handle field keeps the ended box.
    ReleaseActiveModalWindow(box.GetHandle());
    return result;
}

} // namespace Tolv
