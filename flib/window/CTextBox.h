#pragma once
// A control with editable text and the clipboard; the dialog owns the window.
#include <windows.h>

#include "flib/window/CControl.h"

namespace Flib { namespace Windows { namespace Window {

class CTextBox : public CControl {
public:
    virtual LRESULT Copy();
    virtual LRESULT Cut();
    virtual LRESULT Paste();
};

}}} // namespace Flib::Windows::Window
