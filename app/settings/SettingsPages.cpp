#include "app/settings/SettingsPages.h"

#include "app/settings/ApplicationListPage.h"
#include "app/settings/ArchitecturePage.h"
#include "app/settings/ImePage.h"
#include "app/settings/NotifyPage.h"
#include "app/settings/SystemPage.h"
#include "resources/ResourceIds.h"

namespace Tolv {

const SettingsPage kSettingsPages[kSettingsPageCount] = {
    {IDD_IME_PAGE, IDS_IME_PAGE_TITLE, ImePageProc},
    {IDD_SYSTEM_PAGE, IDS_SYSTEM_PAGE_TITLE, SystemPageProc},
    {IDD_APPLICATION_PAGE, IDS_APPLICATION_PAGE_TITLE, ApplicationListPageProc},
    {IDD_ARCHITECTURE_PAGE, IDS_ARCHITECTURE_PAGE_TITLE, ArchitecturePageProc},
    {IDD_NOTIFY_PAGE, IDS_NOTIFY_PAGE_TITLE, NotifyPageProc},
};

} // namespace Tolv
