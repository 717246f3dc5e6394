#include "app/settings/SettingsSheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ActiveModalWindow.h"
#include "app/settings/SettingsPages.h"
#include "app/settings/SheetLists.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

namespace {

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM)
{
    if (message == PSCB_INITIALIZED) {
        ActiveModalWindow = sheet;
    }
    return 0;
}

// Clears ActiveModalWindow however the sheet ends.
struct ActiveModalWindowReset {
    ~ActiveModalWindowReset() { ActiveModalWindow = nullptr; }
};

} // namespace

void ShowSettingsSheet(HINSTANCE instance, HWND owner, const Configuration::CConfigurations& live,
                       const std::function<void(const Configuration::CConfigurations& edited)>& apply)
{
    // The pages' list views need their class registered before the first page is made.
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&classes);

    RebuildMatchTypeNames(instance);
    RebuildImeSlotLabels(*live.GetImes());
    Configuration::CConfigurations edited;
    edited.Assign(live);

    // Everything that may throw comes before the first page handle, which only
    // PropertySheetW releases.
    std::wstring caption;
    Flib::Windows::Window::LoadResourceString(instance, IDS_SETTINGS_CAPTION, caption);
    std::wstring titles[kSettingsPageCount];
    for (size_t p = 0; p < kSettingsPageCount; ++p) {
        Flib::Windows::Window::LoadResourceString(instance, kSettingsPages[p].titleId, titles[p]);
    }
    // The page objects outlive PropertySheetW, which destroys their windows.
    std::unique_ptr<SettingsPage> pageObjects[kSettingsPageCount];
    for (size_t p = 0; p < kSettingsPageCount; ++p) {
        pageObjects[p] = kSettingsPages[p].make(edited);
    }
    std::vector<HPROPSHEETPAGE> pages;
    pages.reserve(kSettingsPageCount);
    for (size_t p = 0; p < kSettingsPageCount; ++p) {
        PROPSHEETPAGEW page = {};
        page.dwSize = sizeof(page);
        page.dwFlags = PSP_USETITLE;
        page.hInstance = instance;
        page.pszTemplate = MAKEINTRESOURCEW(kSettingsPages[p].dialogId);
        page.pszTitle = titles[p].c_str();
        page.pfnDlgProc = SettingsPage::Procedure;
        page.lParam = reinterpret_cast<LPARAM>(pageObjects[p].get());
        // A page that cannot be made is left out rather than handed to the sheet as null.
        if (HPROPSHEETPAGE handle = ::CreatePropertySheetPageW(&page)) {
            pages.push_back(handle);
        }
    }

    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_NOAPPLYNOW | PSH_USECALLBACK;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = 0;
    header.phpage = pages.data();
    header.pfnCallback = SheetCallback;

    const ActiveModalWindowReset reset;
    if (::PropertySheetW(&header) == 1) {
        apply(edited);
    }
}

} // namespace Tolv
