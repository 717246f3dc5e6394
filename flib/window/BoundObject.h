#pragma once
// How every window, dialog and page of the program reaches its object: the
// object travels as the creation parameter and stays in the window's own slot
// from the message that carries it until WM_NCDESTROY. Messages before that
// one find no object, and so does a window made without one.
#include <windows.h>
#include <prsht.h>

#include "flib/window/CDialogBox.h"

namespace Flib { namespace Windows { namespace Window {

// CreateWindowExW's lpParam, read from WM_NCCREATE's CREATESTRUCTW.
struct WindowCreation {
    static constexpr UINT kMessage = WM_NCCREATE;
    static constexpr int kSlot = GWLP_USERDATA;
    static LPARAM Carried(LPARAM lParam)
    {
        return reinterpret_cast<LPARAM>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    }
};

// The init parameter of DialogBoxParamW and CreateDialogParamW.
struct DialogCreation {
    static constexpr UINT kMessage = WM_INITDIALOG;
    static constexpr int kSlot = DWLP_USER;
    static LPARAM Carried(LPARAM lParam) { return lParam; }
};

// PROPSHEETPAGEW::lParam; WM_INITDIALOG of a page carries the whole record.
struct PageCreation {
    static constexpr UINT kMessage = WM_INITDIALOG;
    static constexpr int kSlot = DWLP_USER;
    static LPARAM Carried(LPARAM lParam) { return reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam; }
};

template <typename Object>
struct Bound {
    Object* object = nullptr;
    // This message bound it: the window's own creation message.
    bool justNow = false;
};

// The object of `window` as the procedure sees `message`. Binds once: a
// creation message that comes later can only have been sent by another
// program, and changes nothing. `Carried` is the type the creator passed.
template <typename Object, typename Creation, typename Carried = Object>
Bound<Object> BoundObject(HWND window, UINT message, LPARAM lParam)
{
    Bound<Object> bound;
    auto* carried = reinterpret_cast<Carried*>(::GetWindowLongPtrW(window, Creation::kSlot));
    if (carried == nullptr && message == Creation::kMessage) {
        carried = reinterpret_cast<Carried*>(Creation::Carried(lParam));
        ::SetWindowLongPtrW(window, Creation::kSlot, reinterpret_cast<LONG_PTR>(carried));
        bound.justNow = carried != nullptr;
    } else if (message == WM_NCDESTROY) {
        // The last message: the object may end before the slot would be read again.
        ::SetWindowLongPtrW(window, Creation::kSlot, 0);
    }
    bound.object = static_cast<Object*>(carried);
    return bound;
}

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

// The dialog procedure of a dialog class derived from CDialogBox, shown with
// itself as the init parameter (CDialogBox's shows do that): Initialise() once
// bound, then every later message to Handle(message, wParam, lParam).
template <typename Dialog>
INT_PTR CALLBACK BoundDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Guarded([&]() -> INT_PTR {
        const Bound<Dialog> bound = BoundObject<Dialog, DialogCreation, CDialogBox>(dialog, message, lParam);
        if (bound.object == nullptr) {
            return FALSE;
        }
        if (bound.justNow) {
            bound.object->Initialise();
            return TRUE;
        }
        // A second WM_INITDIALOG, from another program, is not the dialog's to answer.
        return message == WM_INITDIALOG ? FALSE : bound.object->Handle(message, wParam, lParam);
    });
}

}}} // namespace Flib::Windows::Window
