#include "flib/window/CControl.h"

namespace Flib { namespace Windows { namespace Window {

HINSTANCE CControl::AttachItem(CWindow& dialog, int controlId)
{
    controlId_ = controlId;
    HWND dialogHandle = dialog.GetHandle();
    return Attach(dialogHandle, ::GetDlgItem(dialogHandle, controlId));
}

HINSTANCE CControl::AttachItemOfHandle(HWND dialog, int controlId)
{
    controlId_ = controlId;
    return Attach(dialog, ::GetDlgItem(dialog, controlId));
}

HINSTANCE CControl::Attach(HWND parent, HWND control)
{
    parent_ = parent;
    handle_ = control;
    instance_ = reinterpret_cast<HINSTANCE>(GetLongPtr(GWLP_HINSTANCE));
    return instance_;
}

}}} // namespace Flib::Windows::Window
