#include "app/settings/PageProtocol.h"

#include <commctrl.h>
#include <prsht.h>

namespace Tolv {

INT_PTR CALLBACK SettingsPage::Procedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Guarded([&]() -> INT_PTR {
        SettingsPage* self = nullptr;
        if (message == WM_INITDIALOG) {
            self = reinterpret_cast<SettingsPage*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
            ::SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = BoundObject<SettingsPage>(page);
        }
        // Messages before WM_INITDIALOG (WM_SETFONT) and after WM_DESTROY find no page.
        return self == nullptr ? FALSE : self->Handle(page, message, wParam, lParam);
    });
}

INT_PTR SettingsPage::Handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        dialog_ = std::make_unique<Flib::Windows::Window::CDialogBox>(page);
        Initialise();
        return TRUE;
    case WM_COMMAND:
        return Command(wParam) ? TRUE : FALSE;
    case WM_NOTIFY:
        return Notify(page, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
        ::SetWindowLongPtrW(page, DWLP_USER, 0);
        dialog_.reset();
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR SettingsPage::Notify(HWND page, const NMHDR& header)
{
    if (ListId() != 0 && header.idFrom == static_cast<UINT_PTR>(ListId())) {
        LRESULT result = 0;
        if (!ListNotify(header, result)) {
            return FALSE;
        }
        ::SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
        return TRUE;
    }
    if (header.code != static_cast<UINT>(PSN_APPLY)) {
        return FALSE;
    }
    // PSNRET_INVALID makes the sheet show this page, where the reason is.
    ::SetWindowLongPtrW(page, DWLP_MSGRESULT, Store() ? PSNRET_NOERROR : PSNRET_INVALID);
    return TRUE;
}

} // namespace Tolv
