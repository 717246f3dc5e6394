#include "app/MainWindow.h"

#include <shellapi.h>

#include <memory>
#include <string>

#include "app/AboutDialog.h"
#include "app/ActiveModalWindow.h"
#include "app/BalloonQueue.h"
#include "app/StartWithWindows.h"
#include "app/TrayMenuState.h"
#include "app/settings/SettingsSheet.h"
#include "configuration/CConfigurations.h"
#include "configuration/CLoader.h"
#include "engine/ForegroundWatcher.h"
#include "engine/SwitchEngine.h"
#include "flib/io/PathOperations.h"
#include "flib/window/CMenu.h"
#include "flib/window/CTaskTrayIcon.h"
#include "flib/window/CWindowEx.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Flib::Windows::Window::CMenu;
using Flib::Windows::Window::CTaskTrayIcon;
using Flib::Windows::Window::CWindowEx;

namespace {

// Everything the running program keeps; lives from WM_CREATE to process exit.
struct Program {
    CWindowEx* mainWindow = nullptr;
    Configuration::CConfigurations configuration;
    std::unique_ptr<Configuration::CLoader> loader;
    CTaskTrayIcon tray;
    BalloonQueue balloons;
    // While a modal window or the tray menu runs: from before the window
    // exists until after it has cleared ActiveModalWindow.
    bool runningModal = false;
    std::unique_ptr<Engine::SwitchEngine> engine;
    // Last, so its thread ends before the engine and configuration it reads.
    std::unique_ptr<Engine::ForegroundWatcher> watcher;
};

Program& TheProgram()
{
    static Program program;
    return program;
}

// Runs on the watcher thread: hand the balloon over without waiting for the main thread.
void PostBalloon(HWND window, Engine::Balloon balloon)
{
    TheProgram().balloons.Push(std::move(balloon));
    // A wake-up that gets lost leaves the balloon for the next one.
    ::PostMessageW(window, kBalloonMessage, 0, 0);
}

void ShowWaitingBalloons()
{
    Program& program = TheProgram();
    for (const Engine::Balloon& balloon : program.balloons.TakeAll()) {
        program.tray.ShowTrayBalloon(balloon.title, balloon.text);
    }
}

// With one of tolv's modal windows open, commands and tray clicks only bring it
// to the front: a second sheet or box inside the first would clear the state
// the first one still uses. True when one is open.
bool BringOpenModalWindowForward()
{
    if (ActiveModalWindow != nullptr) {
        ::SetForegroundWindow(ActiveModalWindow);
        return true;
    }
    return TheProgram().runningModal;
}

template <typename Show>
void RunModal(Show show)
{
    if (BringOpenModalWindowForward()) {
        return;
    }
    Program& program = TheProgram();
    program.runningModal = true;
    struct Reset {
        bool& running;
        ~Reset() { running = false; }
    } reset{program.runningModal};
    show();
}

// Told once: the file stays as it is until the user confirms settings with OK.
void ShowUnreadSettingsBalloon(HINSTANCE instance, CTaskTrayIcon& tray)
{
    std::wstring title;
    std::wstring text;
    Flib::Windows::Window::LoadResourceString(instance, IDS_SETTINGS_UNREAD_TITLE, title);
    Flib::Windows::Window::LoadResourceString(instance, IDS_SETTINGS_UNREAD_TEXT, text);
    tray.ShowTrayBalloon(title, text);
}

void OnCreate(HWND window, CWindowEx* object)
{
    Program& program = TheProgram();
    program.mainWindow = object;
    const HINSTANCE instance = object->GetInstance();

    // Built-in exclusions go in before loading: a file with its own list replaces them.
    auto* exclusions = program.configuration.GetSwitchOnArchitecture()->GetIgnoreApplications();
    exclusions->Add(std::make_unique<Configuration::CApplication4SwitchOnArchitecture>(Configuration::MT_FILENAME, L"tolv.exe"));
    exclusions->Add(std::make_unique<Configuration::CApplication4SwitchOnArchitecture>(Configuration::MT_CLASSNAME, L"Shell_TrayWnd"));

    const auto* settingsPath = static_cast<const std::wstring*>(object->GetUserData());
    program.loader = std::make_unique<Configuration::CLoader>(*settingsPath);
    program.loader->Load(program.configuration);

    std::wstring tip;
    Flib::Windows::Window::LoadResourceString(instance, IDS_APP_TITLE, tip);
    program.tray.Add(instance, window, kTrayIconId, kTrayCallbackMessage, IDI_TOLV, tip);
    if (program.loader->KeepsUnreadFile()) {
        ShowUnreadSettingsBalloon(instance, program.tray);
    }

    program.engine = std::make_unique<Engine::SwitchEngine>(
        program.configuration, instance, [window](Engine::Balloon balloon) { PostBalloon(window, std::move(balloon)); });
    program.watcher = std::make_unique<Engine::ForegroundWatcher>(*program.engine);
    program.watcher->Start();
}

// Safe to run twice (WM_ENDSESSION, then WM_DESTROY).
void OnShutdown()
{
    Program& program = TheProgram();
    if (program.loader) {
        program.loader->Save(program.configuration);
        program.loader.reset();
    }
    if (program.watcher) {
        program.watcher->Stop();
    }
    program.tray.Remove();
    program.balloons.TakeAll(); // too late to show them
    ::EndMenu(); // an open tray menu's loop would not see the quit message
    ::PostQuitMessage(0);
}

void OpenSettingsFolder(HWND window)
{
    Program& program = TheProgram();
    if (!program.loader) {
        return;
    }
    std::wstring folder;
    Flib::IO::File::GetDirectoryOfPath(program.loader->GetFileName(), folder);
    ::ShellExecuteW(window, L"explore", folder.c_str(), L"", L"", SW_SHOWDEFAULT);
}

// Not stored: tolv always starts switching.
void TogglePause()
{
    Program& program = TheProgram();
    if (!program.engine) {
        return;
    }
    const bool paused = !program.engine->IsPaused();
    program.engine->SetPaused(paused);
    const HINSTANCE instance = program.mainWindow->GetInstance();
    std::wstring tip;
    Flib::Windows::Window::LoadResourceString(instance, paused ? IDS_TRAY_TIP_PAUSED : IDS_APP_TITLE, tip);
    program.tray.SetIconAndTip(paused ? IDI_TOLV_PAUSED : IDI_TOLV, tip);
}

void OnCommand(HWND window, UINT command)
{
    Program& program = TheProgram();
    switch (command) {
    case IDM_SETTINGS:
        RunModal([&] {
            // The sheet edits a copy; OK hands it to the engine, which swaps it in under its lock.
            ShowSettingsSheet(program.mainWindow->GetInstance(), window, program.configuration,
                              [&program](const Configuration::CConfigurations& edited) {
                                  program.configuration.Assign(edited);
                                  program.engine->ApplySettings(program.configuration);
                                  // Confirmed settings outlive a crash or an ended task.
                                  program.loader->SaveConfirmed(program.configuration);
                              });
        });
        break;
    case IDM_ABOUT:
        RunModal([&] { ShowAboutDialog(program.mainWindow->GetInstance(), window); });
        break;
    case IDM_OPEN_SETTINGS_FOLDER:
        OpenSettingsFolder(window);
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

void ShowTrayMenu(HWND window)
{
    POINT cursor{};
    ::GetCursorPos(&cursor);
    CMenu menu;
    if (menu.Load(TheProgram().mainWindow->GetInstance(), IDR_TRAY_MENU) == nullptr) {
        return;
    }
    CMenu popup;
    popup.SetHandle(menu.GetSubMenu(0));
    const bool paused = TheProgram().engine && TheProgram().engine->IsPaused();
    ShowStateInTrayMenu(popup, paused, StartWithWindows(StartWithWindows::ThisProgram()).IsOn());
    ::SetForegroundWindow(window);
    popup.TrackPopup(TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
    // Without it the menu may not close at the second click on the icon.
    ::PostMessageW(window, WM_NULL, 0, 0);
    menu.Destroy();
}

void OnTray(HWND window, WPARAM iconId, LPARAM mouseMessage)
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
        BringOpenModalWindowForward(); // only a right button press opens the menu
        return;
    }
    // The menu holds the commands too: one posted while it tracks would
    // otherwise open a window beneath it.
    RunModal([window] { ShowTrayMenu(window); });
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Program& program = TheProgram();
    switch (message) {
    case WM_CREATE:
        // Only the handshake's own message carries the object; any later one was
        // sent by another program.
        if (program.mainWindow == nullptr && lParam == reinterpret_cast<LPARAM>(Flib::Windows::Window::WindowUnderCreation)) {
            OnCreate(window, reinterpret_cast<CWindowEx*>(lParam));
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
        OnCommand(window, LOWORD(wParam));
        return 0;
    case kTrayCallbackMessage:
        OnTray(window, wParam, lParam);
        return 0;
    case WM_TIMER:
        if (program.tray.OnTimer(wParam)) {
            return 0;
        }
        break;
    case WM_DPICHANGED:
        program.tray.OnDpiChanged(LOWORD(wParam));
        return 0;
    case kBalloonMessage:
        ShowWaitingBalloons(); // whatever the parameters: anyone may send this number
        return 0;
    default:
        break;
    }
    if (message != 0 && message == program.tray.GetTaskbarCreatedMessage()) {
        program.tray.ReAdd(message, wParam, lParam);
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        return Dispatch(window, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system's dispatcher; the message counts as handled by default.
        return message == WM_CREATE ? -1 : ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace Tolv
