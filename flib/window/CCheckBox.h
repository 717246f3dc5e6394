#pragma once
// A check box or one button of a radio group; the dialog owns the window.
#include <windows.h>

#include "flib/window/CControl.h"

namespace Flib { namespace Windows { namespace Window {

class CCheckBox : public CControl {
public:
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual LRESULT GetCheck();
    virtual LRESULT SetCheck(WPARAM state);
    // An indeterminate box is not checked.
    virtual bool IsChecked();
    virtual LRESULT SetChecked(BOOL checked);
};

}}} // namespace Flib::Windows::Window
