#pragma once
// What every page of the settings sheet shares: the view of its window, made
// on WM_INITDIALOG and deleted on WM_DESTROY, the answer to PSN_APPLY, and the
// dialog procedure that routes a page's messages to its own handlers.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "configuration/CConfigurations.h"
#include "flib/window/CDialogBox.h"

namespace Tolv {

class PageBinding {
public:
    // `initParam` is WM_INITDIALOG's lParam: the page's PROPSHEETPAGEW, whose
    // own lParam is the sheet's edited copy. Returns that copy.
    Configuration::CConfigurations& Bind(HWND page, LPARAM initParam);
    void Release() { dialog_.reset(); }
    bool IsBound() const { return dialog_ != nullptr; }
    // Valid from Bind to Release. The view does not own the page window.
    Flib::Windows::Window::CDialogBox& Dialog() { return *dialog_; }

private:
    std::unique_ptr<Flib::Windows::Window::CDialogBox> dialog_;
};

// What one page adds to the procedure; a null handler is a page without it.
struct PageHandlers {
    // WM_INITDIALOG, once the page is bound to the sheet's edited copy.
    void (*initialise)(Configuration::CConfigurations& edited);
    // WM_COMMAND; true when the page handled it.
    bool (*command)(WPARAM wParam);
    // A list view whose notifications are never taken for the sheet's,
    // whatever their code: they go to `listNotify` (0: no such list).
    int listId;
    bool (*listNotify)(const NMHDR& header);
    // PSN_APPLY: moves what the controls show into the edited copy.
    void (*store)();
    // WM_DESTROY, before the binding goes.
    void (*release)();
};

// The body of every page's dialog procedure. Messages other than
// WM_INITDIALOG that arrive while the page is not bound are not handled.
INT_PTR RunPage(PageBinding& binding, const PageHandlers& handlers, HWND page, UINT message, WPARAM wParam,
                LPARAM lParam) noexcept;

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

} // namespace Tolv
