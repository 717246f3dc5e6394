#pragma once
#include "app/settings/PageProtocol.h"
#include "flib/window/CCheckBox.h"

namespace Tolv {

// The "通知設定" page: the balloon switch and the seven facts a balloon lists.
class NotifyPage : public SettingsPage {
public:
    static constexpr int kFlagCount = 8;

    using SettingsPage::SettingsPage;

protected:
    void Initialise() override;
    bool Command(WPARAM wParam) override;
    bool Store() override;

private:
    // The item boxes are enabled exactly while the balloon switch is ticked.
    void FollowBalloonSwitch();

    // The balloon switch first, then the seven item boxes.
    Flib::Windows::Window::CCheckBox boxes_[kFlagCount];
};

} // namespace Tolv
