#pragma once
#include "app/settings/PageProtocol.h"
#include "flib/window/CButton.h"
#include "flib/window/CComboBox.h"
#include "flib/window/CEditBox.h"

namespace Tolv {

// The "IME設定" page: name and hotkey of the first four IME slots of the
// edited copy. Groups beyond the slot count are shown empty and disabled.
class ImePage : public SettingsPage {
public:
    static constexpr int kShownSlots = 4;

    using SettingsPage::SettingsPage;

protected:
    void Initialise() override;
    bool Command(WPARAM wParam) override;
    bool Store() override;

private:
    int ShownSlots();
    void ChangeHotkey(int slot);
    // The slot as the user sees it now: "IME-n: " + the name in its box.
    std::wstring SlotText(int slot);

    Flib::Windows::Window::CComboBox nameBoxes_[kShownSlots];
    Flib::Windows::Window::CEditBox keyBoxes_[kShownSlots];
    Flib::Windows::Window::CButton changeButtons_[kShownSlots];
};

} // namespace Tolv
