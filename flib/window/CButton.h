#pragma once
// A push button. The dialog owns the button; the object owns the icon it loaded last.
#include <windows.h>

#include "flib/Owned.h"
#include "flib/window/CControl.h"

namespace Flib { namespace Windows { namespace Window {

class CButton : public CControl {
public:
    // Shows the 16 x 16 icon resource `iconId`; true when the button had an image before.
    virtual bool SetIcon(UINT iconId);

private:
    static void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
    // The button only borrows its image, so the icon must outlive the button's use of it.
    Owned<HICON, DestroyIconHandle> icon_;
};

}}} // namespace Flib::Windows::Window
