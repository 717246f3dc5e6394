#pragma once
// The hidden main window and the running program's parts, which it owns.
#include <windows.h>

#include <memory>
#include <string>

#include "app/ActiveModalWindow.h"
#include "app/BalloonQueue.h"
#include "configuration/CConfigurations.h"
#include "configuration/CLoader.h"
#include "engine/ForegroundWatcher.h"
#include "engine/SwitchEngine.h"
#include "flib/window/CTaskTrayIcon.h"
#include "flib/window/CWindowEx.h"

namespace Tolv {

// Notification-area icon of the program and the message it calls back with.
constexpr UINT kTrayIconId = 101;
constexpr UINT kTrayCallbackMessage = WM_APP + 0x65;
// Balloons from the watcher thread are waiting; the parameters mean nothing.
constexpr UINT kBalloonMessage = WM_APP + 0x66;

// On creation it loads the settings, shows the tray icon and starts the
// watcher; it runs the tray menu and its commands; on destruction or at the
// end of the session it saves the settings, stops the watcher and removes the
// icon. Main thread only, but for the balloons the engine hands over.
class MainWindow : public Flib::Windows::Window::CWindowEx {
public:
    MainWindow(HINSTANCE instance, std::wstring settingsPath);

    // Creates the window (never shown) through the creation handshake; its
    // class must have StaticWindowProc. Null when it could not be made.
    HWND Create(const wchar_t* className, const std::wstring& title);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCreate();
    void OnShutdown();
    void OnCommand(UINT command);
    void OnTray(WPARAM iconId, LPARAM mouseMessage);
    void ShowTrayMenu();
    void ShowSettings();
    void TogglePause();
    void OpenSettingsFolder();
    // Watcher thread: hands the balloon over without waiting for the main thread.
    void PostBalloon(HWND window, Engine::Balloon balloon);
    void ShowWaitingBalloons();

    // In the order they must end, last first: the watcher's thread stops before
    // the engine it calls, and the engine goes before the configuration, the
    // balloon queue and the tray icon it reaches.
    std::wstring settingsPath_;
    ActiveModalWindow modal_;
    Configuration::CConfigurations configuration_;
    // From creation until the shutdown has saved through it.
    std::unique_ptr<Configuration::CLoader> loader_;
    Flib::Windows::Window::CTaskTrayIcon tray_;
    BalloonQueue balloons_;
    bool created_ = false;
    // Made by the creation handler and kept to the end.
    std::unique_ptr<Engine::SwitchEngine> engine_;
    std::unique_ptr<Engine::ForegroundWatcher> watcher_;
};

} // namespace Tolv
