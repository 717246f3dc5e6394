#pragma once
// What every page of the settings sheet shares: the view of its window, made
// on WM_INITDIALOG and deleted on WM_DESTROY, and the answer to PSN_APPLY.
#include <windows.h>

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
    // Valid from Bind to Release. The view does not own the page window.
    Flib::Windows::Window::CDialogBox& Dialog() { return *dialog_; }

private:
    std::unique_ptr<Flib::Windows::Window::CDialogBox> dialog_;
};

// True for a WM_NOTIFY whose code is PSN_APPLY.
bool IsApplyNotification(LPARAM notifyParam);
// The sheet never refuses OK: PSNRET_NOERROR, message handled.
INT_PTR AcceptApply(HWND page);

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
