#include "app/settings/SettingsPages.h"

#include "app/settings/ImePage.h"
#include "app/settings/NotifyPage.h"
#include "app/settings/SystemPage.h"
#include "resources/ResourceIds.h"

namespace Tolv {

namespace {

// The condition list pages show their layout; their lists are not filled yet.
INT_PTR CALLBACK LayoutOnlyPageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

} // namespace

const SettingsPage kSettingsPages[kSettingsPageCount] = {
    {IDD_IME_PAGE, IDS_IME_PAGE_TITLE, ImePageProc},
    {IDD_SYSTEM_PAGE, IDS_SYSTEM_PAGE_TITLE, SystemPageProc},
    {IDD_APPLICATION_PAGE, IDS_APPLICATION_PAGE_TITLE, LayoutOnlyPageProc},
    {IDD_ARCHITECTURE_PAGE, IDS_ARCHITECTURE_PAGE_TITLE, LayoutOnlyPageProc},
    {IDD_NOTIFY_PAGE, IDS_NOTIFY_PAGE_TITLE, NotifyPageProc},
};

} // namespace Tolv
