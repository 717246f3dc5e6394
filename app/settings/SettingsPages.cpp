#include "app/settings/SettingsPages.h"

#include "app/settings/ApplicationListPage.h"
#include "app/settings/ArchitecturePage.h"
#include "app/settings/ImePage.h"
#include "app/settings/NotifyPage.h"
#include "app/settings/SystemPage.h"
#include "resources/ResourceIds.h"

namespace Tolv {

namespace {

template <typename Page>
std::unique_ptr<SettingsPage> Make(Configuration::CConfigurations& edited)
{
    return std::make_unique<Page>(edited);
}

} // namespace

const SettingsPageKind kSettingsPages[kSettingsPageCount] = {
    {IDD_IME_PAGE, IDS_IME_PAGE_TITLE, Make<ImePage>},
    {IDD_SYSTEM_PAGE, IDS_SYSTEM_PAGE_TITLE, Make<SystemPage>},
    {IDD_APPLICATION_PAGE, IDS_APPLICATION_PAGE_TITLE, Make<ApplicationListPage>},
    {IDD_ARCHITECTURE_PAGE, IDS_ARCHITECTURE_PAGE_TITLE, Make<ArchitecturePage>},
    {IDD_NOTIFY_PAGE, IDS_NOTIFY_PAGE_TITLE, Make<NotifyPage>},
};

} // namespace Tolv
