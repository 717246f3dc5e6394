#pragma once
// An edit control; the dialog owns the window.
#include "flib/window/CTextBox.h"

namespace Flib { namespace Windows { namespace Window {

class CEditBox : public CTextBox {};

}}} // namespace Flib::Windows::Window
