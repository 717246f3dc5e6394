#pragma once
// A group of radio buttons of one dialog, each kept as a check box by control
// id. The dialog owns the button windows; the group owns its check-box objects.
#include <windows.h>

#include <map>

#include "flib/window/CCheckBox.h"
#include "flib/window/CControl.h"

namespace Flib { namespace Windows { namespace Window {

class CRadioButton : public CControl {
public:
    ~CRadioButton() override;

    // Adds the dialog's button `controlId` to the group (an id already there
    // is kept as it is); id 0 empties the group.
    void AddButton(HWND dialog, int controlId);
    // The lowest id whose button is checked; 0 when none is.
    int GetCheckedId();
    // Checks the button of `controlId`, if the group has it; leaves the others alone.
    void CheckId(int controlId);

private:
    std::map<int, CCheckBox> buttons_;
};

}}} // namespace Flib::Windows::Window
