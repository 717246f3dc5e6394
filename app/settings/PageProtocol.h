#pragma once
// What every page of the settings sheet shares. A page is an object made by
// the sheet and handed to its window through PROPSHEETPAGEW::lParam (see
// flib/window/BoundObject.h); the one dialog procedure routes the page's
// messages to its handlers from WM_INITDIALOG to WM_DESTROY.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>

#include "configuration/CConfigurations.h"
#include "flib/window/CDialogBox.h"

namespace Tolv {

class SettingsPage {
public:
    explicit SettingsPage(Configuration::CConfigurations& edited) : edited_(edited) {}
    virtual ~SettingsPage() = default;
    SettingsPage(const SettingsPage&) = delete;
    SettingsPage& operator=(const SettingsPage&) = delete;

    // The dialog procedure of every page; the page object outlives the sheet's run.
    static INT_PTR CALLBACK Procedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    // Told the sheet's window when the page is created inside it.
    void TellSheetWindow(std::function<void(HWND sheet)> tell) { tellSheet_ = std::move(tell); }

protected:
    // Valid from WM_INITDIALOG to WM_DESTROY. The view does not own the page window.
    Flib::Windows::Window::CDialogBox& Dialog() { return *dialog_; }
    Configuration::CConfigurations& Edited() { return edited_; }

    // WM_INITDIALOG, once the page is bound to its window: fill the controls.
    virtual void Initialise() = 0;
    // WM_COMMAND; true when the page handled it.
    virtual bool Command(WPARAM) { return false; }
    // The list view whose notifications are never taken for the sheet's, whatever their code (0: none).
    virtual int ListId() const { return 0; }
    // A notification of that list; true when handled, with `result` as the notification's answer.
    virtual bool ListNotify(const NMHDR&, LRESULT&) { return false; }
    // PSN_APPLY: moves what the controls show into the edited copy; false
    // refuses OK (the page has told the user why) and brings this page forward.
    virtual bool Store() { return true; }

private:
    // WM_INITDIALOG, when the page has just been bound to its window.
    INT_PTR Start(HWND page);
    INT_PTR Handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Notify(HWND page, const NMHDR& header);

    Configuration::CConfigurations& edited_;
    std::function<void(HWND sheet)> tellSheet_;
    std::unique_ptr<Flib::Windows::Window::CDialogBox> dialog_;
};

} // namespace Tolv
