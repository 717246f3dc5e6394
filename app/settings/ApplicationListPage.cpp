#include "app/settings/ApplicationListPage.h"

#include <memory>

#include "resources/ResourceIds.h"

namespace Tolv {

namespace {

std::unique_ptr<Configuration::CApplication> MakeBlankCondition()
{
    return std::make_unique<Configuration::CApplication4SwitchOnApplication>(Configuration::MT_FILENAME, L"", 0);
}

constexpr ConditionListLayout kLayout = {IDC_APPLICATION_LIST,   IDC_APPLICATION_ADD, IDC_APPLICATION_EDIT,
                                         IDC_APPLICATION_DELETE, IDC_APPLICATION_UP,  IDC_APPLICATION_DOWN,
                                         IDD_APPLICATION_CONDITION, true,              MakeBlankCondition};

} // namespace

void ApplicationListPage::Initialise()
{
    conditions_.Bind(Dialog(), kLayout, *Edited().GetSwitchOnApplication()->GetApplications(), *Edited().GetImes());
}

int ApplicationListPage::ListId() const { return kLayout.listId; }

} // namespace Tolv
