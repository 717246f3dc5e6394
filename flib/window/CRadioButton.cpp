#include "flib/window/CRadioButton.h"

namespace Flib { namespace Windows { namespace Window {

CRadioButton::~CRadioButton() = default; // the check boxes go with the map; their windows stay

void CRadioButton::AddButton(HWND dialog, int controlId)
{
    if (controlId == 0) {
        buttons_.clear();
        return;
    }
    if (buttons_.count(controlId) != 0) {
        return;
    }
    buttons_[controlId].AttachItemOfHandle(dialog, controlId);
}

int CRadioButton::GetCheckedId()
{
    for (auto& [id, button] : buttons_) {
        if (button.GetCheck() == BST_CHECKED) {
            return id;
        }
    }
    return 0;
}

void CRadioButton::CheckId(int controlId)
{
    const auto found = buttons_.find(controlId);
    if (found != buttons_.end()) {
        found->second.SetChecked(TRUE);
    }
}

}}} // namespace Flib::Windows::Window
