#pragma once
// A static text of a dialog; the dialog owns the window.
#include "flib/window/CControl.h"

namespace Flib { namespace Windows { namespace Window {

class CStaticText : public CControl {};

}}} // namespace Flib::Windows::Window
