#include "app/settings/PageProtocol.h"

#include <commctrl.h>
#include <prsht.h>

namespace Tolv {

Configuration::CConfigurations& PageBinding::Bind(HWND page, LPARAM initParam)
{
    dialog_ = std::make_unique<Flib::Windows::Window::CDialogBox>(page);
    const auto* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(initParam);
    return *reinterpret_cast<Configuration::CConfigurations*>(sheetPage->lParam);
}

bool IsApplyNotification(LPARAM notifyParam)
{
    return reinterpret_cast<const NMHDR*>(notifyParam)->code == static_cast<UINT>(PSN_APPLY);
}

INT_PTR AcceptApply(HWND page)
{
    ::SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

} // namespace Tolv
