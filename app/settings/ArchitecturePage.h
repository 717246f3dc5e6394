#pragma once
#include "app/settings/ConditionListOperations.h"
#include "app/settings/PageProtocol.h"
#include "flib/window/CCheckBox.h"
#include "flib/window/CComboBox.h"

namespace Tolv {

// The "32/64bit切替設定" page: the per-architecture rule and its exclusion list.
class ArchitecturePage : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    void Initialise() override;
    bool Command(WPARAM wParam) override { return exclusions_.HandleCommand(wParam); }
    int ListId() const override;
    bool ListNotify(const NMHDR& header, LRESULT& result) override { return exclusions_.HandleNotify(header, result); }
    bool Store() override;

private:
    Flib::Windows::Window::CCheckBox useBox_;
    Flib::Windows::Window::CComboBox ime32List_;
    Flib::Windows::Window::CComboBox ime64List_;
    ConditionList exclusions_;
};

} // namespace Tolv
