#pragma once
#include "app/settings/PageProtocol.h"
#include "flib/window/CRadioButton.h"

namespace Tolv {

// The "システム設定" page: how hotkeys are sent and how switched targets are recognised.
class SystemPage : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    void Initialise() override;
    bool Store() override;

private:
    Flib::Windows::Window::CRadioButton sendGroup_;
    Flib::Windows::Window::CRadioButton processedGroup_;
};

} // namespace Tolv
