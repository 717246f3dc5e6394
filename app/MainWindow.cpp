#include "app/MainWindow.h"

#include <shellapi.h>

#include <utility>

#include "app/AboutDialog.h"
#include "app/StartWithWindows.h"
#include "app/TrayMenuState.h"
#include "app/settings/SettingsSheet.h"
#include "flib/io/PathOperations.h"
#include "flib/window/CMenu.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Flib::Windows::Window::CMenu;
using Flib::Windows::Window::LoadResourceString;
using Flib::Windows::Window::OwnedMenu;

MainWindow::MainWindow(HINSTANCE instance, std::wstring settingsPath) : settingsPath_(std::move(settingsPath))
{
    SetInstance(instance);
}

HWND MainWindow::Create(const wchar_t* className, const std::wstring& title)
{
    return Flib::Windows::Window::CreateWindowExBound(*this, WS_EX_LAYERED | WS_EX_TOOLWINDOW, className,
                                                      title.c_str(), WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT,
                                                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

void MainWindow::PostBalloon(HWND window, Engine::Balloon balloon)
{
    balloons_.Push(std::move(balloon));
    // A wake-up that gets lost leaves the balloon for the next one.
    ::PostMessageW(window, kBalloonMessage, 0, 0);
}

void MainWindow::ShowWaitingBalloons()
{
    for (const Engine::Balloon& balloon : balloons_.TakeAll()) {
        tray_.ShowTrayBalloon(balloon.title, balloon.text);
    }
}

void MainWindow::OnCreate()
{
    const HINSTANCE instance = GetInstance();
    const HWND window = GetHandle();

    // Built-in exclusions go in before loading: a file with its own list replaces them.
    auto* exclusions = configuration_.GetSwitchOnArchitecture()->GetIgnoreApplications();
    exclusions->Add(std::make_unique<Configuration::CApplication4SwitchOnArchitecture>(Configuration::MT_FILENAME, L"tolv.exe"));
    exclusions->Add(std::make_unique<Configuration::CApplication4SwitchOnArchitecture>(Configuration::MT_CLASSNAME, L"Shell_TrayWnd"));

    loader_ = std::make_unique<Configuration::CLoader>(settingsPath_);
    loader_->Load(configuration_);

    std::wstring tip;
    LoadResourceString(instance, IDS_APP_TITLE, tip);
    tray_.Add(instance, window, kTrayIconId, kTrayCallbackMessage, IDI_TOLV, tip);
    if (loader_->KeepsUnreadFile()) {
        // Told once: the file stays as it is until the user confirms settings with OK.
        std::wstring title;
        std::wstring text;
        LoadResourceString(instance, IDS_SETTINGS_UNREAD_TITLE, title);
        LoadResourceString(instance, IDS_SETTINGS_UNREAD_TEXT, text);
        tray_.ShowTrayBalloon(title, text);
    }

    engine_ = std::make_unique<Engine::SwitchEngine>(
        configuration_, instance, [this, window](Engine::Balloon balloon) { PostBalloon(window, std::move(balloon)); });
    watcher_ = std::make_unique<Engine::ForegroundWatcher>(*engine_);
    watcher_->Start();
}

// Safe to run twice (WM_ENDSESSION, then WM_DESTROY).
void MainWindow::OnShutdown()
{
    if (loader_) {
        loader_->Save(configuration_);
        loader_.reset();
    }
    if (watcher_) {
        watcher_->Stop();
    }
    tray_.Remove();
    balloons_.TakeAll(); // too late to show them
    ::EndMenu(); // an open tray menu's loop would not see the quit message
    ::PostQuitMessage(0);
}

void MainWindow::OpenSettingsFolder()
{
    if (!loader_) {
        return;
    }
    std::wstring folder;
    Flib::IO::File::GetDirectoryOfPath(loader_->GetFileName(), folder);
    ::ShellExecuteW(GetHandle(), L"explore", folder.c_str(), L"", L"", SW_SHOWDEFAULT);
}

// Not stored: tolv always starts switching.
void MainWindow::TogglePause()
{
    if (!engine_) {
        return;
    }
    const bool paused = !engine_->IsPaused();
    engine_->SetPaused(paused);
    std::wstring tip;
    LoadResourceString(GetInstance(), paused ? IDS_TRAY_TIP_PAUSED : IDS_APP_TITLE, tip);
    tray_.SetIconAndTip(paused ? IDI_TOLV_PAUSED : IDI_TOLV, tip);
}

void MainWindow::ShowSettings()
{
    // The sheet edits a copy. The confirmed one becomes the main thread's own
    // settings, and the engine compiles its snapshot from them and swaps it in.
    const std::unique_ptr<Configuration::CConfigurations> edited =
        ShowSettingsSheet(GetInstance(), GetHandle(), configuration_, modal_);
    if (!edited || !engine_) {
        return;
    }
    configuration_.Assign(*edited);
    engine_->ApplySettings(configuration_);
    // Confirmed settings outlive a crash or an ended task.
    if (loader_) {
        loader_->SaveConfirmed(configuration_);
    }
}

void MainWindow::OnCommand(UINT command)
{
    switch (command) {
    case IDM_SETTINGS:
        modal_.Run([this] { ShowSettings(); });
        break;
    case IDM_ABOUT:
        modal_.Run([this] { ShowAboutDialog(GetInstance(), GetHandle(), modal_); });
        break;
    case IDM_OPEN_SETTINGS_FOLDER:
        OpenSettingsFolder();
        break;
    case IDM_PAUSE:
        TogglePause();
        break;
    case IDM_START_WITH_WINDOWS:
        StartWithWindows(StartWithWindows::ThisProgram()).Toggle(); // a refused write leaves the item as it was
        break;
    case IDM_EXIT:
        ::PostQuitMessage(0);
        break;
    default:
        break; // IDM_CLOSE_MENU only closes the menu
    }
}

void MainWindow::ShowTrayMenu()
{
    POINT cursor{};
    ::GetCursorPos(&cursor);
    const OwnedMenu menu(GetInstance(), IDR_TRAY_MENU);
    if (!menu) {
        return;
    }
    CMenu popup = menu.GetSubMenu(0);
    const bool paused = engine_ && engine_->IsPaused();
    ShowStateInTrayMenu(popup, paused, StartWithWindows(StartWithWindows::ThisProgram()).IsOn());
    const HWND window = GetHandle();
    ::SetForegroundWindow(window);
    popup.TrackPopup(TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    // Without it the menu may not close at the second click on the icon.
    ::PostMessageW(window, WM_NULL, 0, 0);
}

void MainWindow::OnTray(WPARAM iconId, LPARAM mouseMessage)
{
    if (iconId != kTrayIconId) {
        return;
    }
    switch (mouseMessage) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        break;
    default:
        return;
    }
    if (mouseMessage != WM_RBUTTONDOWN) {
        modal_.BringForward(); // only a right button press opens the menu
        return;
    }
    // The menu holds the commands too: one posted while it tracks would
    // otherwise open a window beneath it.
    modal_.Run([this] { ShowTrayMenu(); });
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        // Once: any later one was sent by another program, maybe while the creation
        // handler itself waits on the shell and takes sent messages.
        if (!created_) {
            created_ = true;
            OnCreate();
        }
        return 0;
    case WM_DESTROY:
        OnShutdown();
        return 0;
    case WM_QUERYENDSESSION:
        return 1;
    case WM_ENDSESSION:
        if (wParam) {
            OnShutdown();
        }
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case kTrayCallbackMessage:
        OnTray(wParam, lParam);
        return 0;
    case WM_TIMER:
        if (tray_.OnTimer(wParam)) {
            return 0;
        }
        break;
    case WM_DPICHANGED:
        tray_.OnDpiChanged(LOWORD(wParam));
        return 0;
    case kBalloonMessage:
        ShowWaitingBalloons(); // whatever the parameters: anyone may send this number
        return 0;
    default:
        break;
    }
    if (message != 0 && message == tray_.GetTaskbarCreatedMessage()) {
        tray_.ReAdd(message, wParam, lParam);
    }
    return CWindowEx::HandleMessage(message, wParam, lParam);
}

} // namespace Tolv
