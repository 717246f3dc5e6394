#pragma once
// A CWindow bound to one child control of a dialog. Controls are views: the
// dialog owns the control window, the object only remembers its handle.
#include <windows.h>

#include "flib/window/CWindow.h"

namespace Flib { namespace Windows { namespace Window {

class CControl : public CWindow {
public:
    CControl() : controlId_(0) {}

    // None of the attach operations checks the handle: an id the dialog lacks
    // leaves a null handle, and the object then acts on no window.
    virtual HINSTANCE AttachItem(CWindow& dialog, int controlId);
    virtual HINSTANCE AttachItemOfHandle(HWND dialog, int controlId);
    virtual HINSTANCE Attach(HWND parent, HWND control);

    int GetControlId() const { return controlId_; }

private:
    int controlId_;
};

}}} // namespace Flib::Windows::Window
