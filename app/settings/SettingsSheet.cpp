#include "app/settings/SettingsSheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

#include "app/settings/SettingsPages.h"
#include "app/settings/SheetLists.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

std::unique_ptr<Configuration::CConfigurations> ShowSettingsSheet(HINSTANCE instance, HWND owner,
                                                                  const Configuration::CConfigurations& live,
                                                                  ActiveModalWindow& modal)
{
    // The pages' list views need their class registered before the first page is made.
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&classes);

    RebuildMatchTypeNames(instance);
    RebuildImeSlotLabels(*live.GetImes());
    auto edited = std::make_unique<Configuration::CConfigurations>();
    edited->Assign(live);

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
        pageObjects[p] = kSettingsPages[p].make(*edited);
        // The sheet's window is first known to the page made with it.
        pageObjects[p]->TellSheetWindow([&modal](HWND sheet) { modal.Shows(sheet); });
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
    header.dwFlags = PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = 0;
    header.phpage = pages.data();

    if (::PropertySheetW(&header) != 1) {
        return nullptr;
    }
    return edited;
}

} // namespace Tolv
