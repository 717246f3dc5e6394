#include "app/settings/PageProtocol.h"

#include <commctrl.h>
#include <prsht.h>

#include "flib/window/BoundObject.h"

namespace Tolv {

using Flib::Windows::Window::Bound;
using Flib::Windows::Window::BoundObject;
using Flib::Windows::Window::PageCreation;

INT_PTR CALLBACK SettingsPage::Procedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Flib::Windows::Window::Guarded([&]() -> INT_PTR {
        const Bound<SettingsPage> bound = BoundObject<SettingsPage, PageCreation>(page, message, lParam);
        if (bound.justNow) {
            return bound.object->Start(page);
        }
        // Messages before WM_INITDIALOG (WM_SETFONT) and after WM_DESTROY find no page; a
        // second WM_INITDIALOG comes only from another program.
        if (bound.object == nullptr || !bound.object->dialog_ || message == WM_INITDIALOG) {
            return FALSE;
        }
        return bound.object->Handle(page, message, wParam, lParam);
    });
}

INT_PTR SettingsPage::Start(HWND page)
{
    dialog_ = std::make_unique<Flib::Windows::Window::CDialogBox>(page);
    if (tellSheet_) {
        tellSheet_(::GetParent(page));
    }
    Initialise();
    return TRUE;
}

INT_PTR SettingsPage::Handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return Command(wParam) ? TRUE : FALSE;
    case WM_NOTIFY:
        return Notify(page, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
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
