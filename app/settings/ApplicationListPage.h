#pragma once
#include "app/settings/ConditionListOperations.h"
#include "app/settings/PageProtocol.h"

namespace Tolv {

// The "IME切替設定" page: the per-application conditions of the edited copy,
// in the order they are tested.
class ApplicationListPage : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    void Initialise() override;
    bool Command(WPARAM wParam) override { return conditions_.HandleCommand(wParam); }
    int ListId() const override;
    bool ListNotify(const NMHDR& header, LRESULT& result) override { return conditions_.HandleNotify(header, result); }
    // No store on OK: every change is in the edited copy already.

private:
    ConditionList conditions_;
};

} // namespace Tolv
