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

namespace {

INT_PTR HandleNotify(const PageHandlers& handlers, HWND page, const NMHDR& header)
{
    if (handlers.listId != 0 && header.idFrom == static_cast<UINT_PTR>(handlers.listId)) {
        return handlers.listNotify(header) ? TRUE : FALSE;
    }
    if (header.code != static_cast<UINT>(PSN_APPLY)) {
        return FALSE;
    }
    if (handlers.store != nullptr) {
        handlers.store();
    }
    // The sheet never refuses OK.
    ::SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
    return TRUE;
}

INT_PTR Handle(PageBinding& binding, const PageHandlers& handlers, HWND page, UINT message, WPARAM wParam,
               LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        handlers.initialise(binding.Bind(page, lParam));
        return TRUE;
    }
    if (!binding.IsBound()) {
        return FALSE;
    }
    switch (message) {
    case WM_COMMAND:
        return handlers.command != nullptr && handlers.command(wParam) ? TRUE : FALSE;
    case WM_NOTIFY:
        return HandleNotify(handlers, page, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
        if (handlers.release != nullptr) {
            handlers.release();
        }
        binding.Release();
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR RunPage(PageBinding& binding, const PageHandlers& handlers, HWND page, UINT message, WPARAM wParam,
                LPARAM lParam) noexcept
{
    return Guarded([&] { return Handle(binding, handlers, page, message, wParam, lParam); });
}

} // namespace Tolv
