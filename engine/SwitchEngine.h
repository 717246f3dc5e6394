#pragma once
// Decides and performs the IME switch for a window that came to the foreground.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>

#include "configuration/CConfigurations.h"
#include "engine/Balloon.h"
#include "engine/KeySending.h"
#include "flib/io/CKeys.h"

namespace Engine {

class SwitchEngine {
public:
    // Presses a key combination; true when the system took every event.
    using KeySender = std::function<bool(const Flib::IO::Input::CKeys&)>;

    // `live` and the processed memories are read and written only under this
    // engine's lock; `instance` holds the string table; `balloons` must be callable.
    SwitchEngine(Configuration::CConfigurations& live, HINSTANCE instance, BalloonSink balloons,
                 KeySender sendKeys = Press);
    SwitchEngine(const SwitchEngine&) = delete;
    SwitchEngine& operator=(const SwitchEngine&) = delete;

    // Watcher thread. Holds the lock for the whole decision; the window is brought
    // to the front, the keys sent and the balloon handed on after it is released,
    // so the main thread never waits on another window's input. Null does nothing,
    // and so does any window while paused: no keys, no balloon, nothing remembered.
    void SwitchForWindow(HWND window);
    // Main thread. The watcher keeps following the foreground meanwhile, so the
    // window in front when the pause ends is not switched for that alone. A switch
    // already past its start when the pause begins still ends as it would have.
    void SetPaused(bool paused) { paused_ = paused; }
    bool IsPaused() const { return paused_; }
    // Main thread: the confirmed settings replace the live ones, and every target
    // is forgotten so that the new rules apply to windows already seen.
    void ApplySettings(const Configuration::CConfigurations& edited);
    // Watcher thread: forgets windows and processes that no longer exist.
    void PruneMemories();

private:
    Configuration::CConfigurations& live_;
    HINSTANCE instance_;
    BalloonSink balloons_;
    KeySender sendKeys_;
    std::mutex lock_;
    std::atomic<bool> paused_{false};
};

} // namespace Engine
