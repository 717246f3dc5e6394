#pragma once
// What every page of the settings sheet shares. A page is an object made by
// the sheet and handed to its window through PROPSHEETPAGEW::lParam; the
// window keeps it in its DWLP_USER slot from WM_INITDIALOG to WM_DESTROY, and
// the one dialog procedure routes the page's messages to its handlers.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "configuration/CConfigurations.h"
#include "flib/window/CDialogBox.h"

namespace Tolv {

class SettingsPage {
public:
    explicit SettingsPage(Configuration::CConfigurations& edited) : edited_(edited) {}
    virtual ~SettingsPage() = default;
    SettingsPage(const SettingsPage&) = delete;
    SettingsPage& operator=(const SettingsPage&) = delete;

    // The dialog procedure of every page; the page object outlives the sheet's run.
    static INT_PTR CALLBACK Procedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Valid from WM_INITDIALOG to WM_DESTROY. The view does not own the page window.
    Flib::Windows::Window::CDialogBox& Dialog() { return *dialog_; }
    Configuration::CConfigurations& Edited() { return edited_; }

    // WM_INITDIALOG, once the page is bound to its window: fill the controls.
    virtual void Initialise() = 0;
    // WM_COMMAND; true when the page handled it.
    virtual bool Command(WPARAM) { return false; }
    // The list view whose notifications are never taken for the sheet's, whatever their code (0: none).
    virtual int ListId() const { return 0; }
    // A notification of that list; true when handled, with `result` as the notification's answer.
    virtual bool ListNotify(const NMHDR&, LRESULT&) { return false; }
    // PSN_APPLY: moves what the controls show into the edited copy; false
    // refuses OK (the page has told the user why) and brings this page forward.
    virtual bool Store() { return true; }

private:
    INT_PTR Handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Notify(HWND page, const NMHDR& header);

    Configuration::CConfigurations& edited_;
    std::unique_ptr<Flib::Windows::Window::CDialogBox> dialog_;
};

// Runs the body of a dialog procedure; an exception ends there as "not
// handled" instead of unwinding into the system's dispatcher.
template <typename Body>
INT_PTR Guarded(Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return FALSE;
    }
}

// The object a dialog keeps in its DWLP_USER slot, null before WM_INITDIALOG.
template <typename Object>
Object* BoundObject(HWND dialog)
{
    return reinterpret_cast<Object*>(::GetWindowLongPtrW(dialog, DWLP_USER));
}

// The dialog procedure of an editing dialog derived from CDialogBox and run with
// itself as the init parameter: binds the object to the window at WM_INITDIALOG
// (Initialise), then routes every later message to its Handle.
template <typename Dialog>
INT_PTR CALLBACK BoundDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Guarded([&]() -> INT_PTR {
        if (message == WM_INITDIALOG) {
            auto* self = static_cast<Dialog*>(reinterpret_cast<Flib::Windows::Window::CDialogBox*>(lParam));
            ::SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
            self->Initialise();
            return TRUE;
        }
        Dialog* self = BoundObject<Dialog>(dialog);
        return self == nullptr ? FALSE : self->Handle(message, wParam, lParam);
    });
}

} // namespace Tolv
