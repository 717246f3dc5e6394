#include "flib/window/CCheckBox.h"

namespace Flib { namespace Windows { namespace Window {

LRESULT CCheckBox::GetCheck() { return Send(BM_GETCHECK, 0, 0); }
LRESULT CCheckBox::SetCheck(WPARAM state) { return Send(BM_SETCHECK, state, 0); }
bool CCheckBox::IsChecked() { return GetCheck() == BST_CHECKED; }
LRESULT CCheckBox::SetChecked(BOOL checked) { return SetCheck(checked != 0 ? BST_CHECKED : BST_UNCHECKED); }

}}} // namespace Flib::Windows::Window
