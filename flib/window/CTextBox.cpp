#include "flib/window/CTextBox.h"

namespace Flib { namespace Windows { namespace Window {

LRESULT CTextBox::Copy() { return Send(WM_COPY, 0, 0); }
LRESULT CTextBox::Cut() { return Send(WM_CUT, 0, 0); }
LRESULT CTextBox::Paste() { return Send(WM_PASTE, 0, 0); }

}}} // namespace Flib::Windows::Window
