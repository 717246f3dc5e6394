#pragma once
// Decides and performs the IME switch for a window that came to the foreground.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "configuration/CConfigurations.h"
#include "engine/Balloon.h"
#include "engine/KeySending.h"
#include "engine/RuleSnapshot.h"
#include "flib/Owned.h"
#include "flib/io/CKeys.h"
#include "processed/CProcessedProcess.h"
#include "processed/CProcessedWindow.h"

namespace Engine {

// Owns what its decisions read and write: a compiled snapshot of the confirmed
// settings and both memories of handled targets, all guarded by one lock.
class SwitchEngine {
public:
    // Presses a key combination; true when the system took every event.
    using KeySender = std::function<bool(const Flib::IO::Input::CKeys&)>;

    // Decides from its own copy of `settings`, read only here; `instance` holds the
    // string table; `balloons` must be callable.
    SwitchEngine(const Configuration::CConfigurations& settings, HINSTANCE instance, BalloonSink balloons,
                 KeySender sendKeys = Press);
    SwitchEngine(const SwitchEngine&) = delete;
    SwitchEngine& operator=(const SwitchEngine&) = delete;

    // Watcher thread. Holds the lock for the decision only; the window is brought
    // to the front, the keys sent and the balloon handed on after it is released,
    // so the main thread never waits on another window's input. The keys wait
    // while the user holds Shift, Ctrl, Alt or Win, and are dropped (no keys, no
    // balloon, the target not remembered) when another window comes to the front,
    // the pause begins or `stop` (an event, may be null) is set meanwhile.
    // Null does nothing, and so does any window while paused. False when a
    // decided press was dropped: whatever is in front then is new to the caller.
    bool SwitchForWindow(HWND window, HANDLE stop = nullptr);
    // Main thread. The watcher keeps following the foreground meanwhile, so the
    // window in front when the pause ends is not switched for that alone. A press
    // waiting for the user's keys is dropped at once.
    void SetPaused(bool paused);
    bool IsPaused() const { return paused_; }
    // Main thread: the confirmed settings are compiled outside the lock, then
    // replace the snapshot and every target is forgotten in one step, so that the
    // new rules apply to windows already seen.
    void ApplySettings(const Configuration::CConfigurations& edited);
    // Watcher thread: forgets windows and processes that no longer exist.
    void PruneMemories();

private:
    // Waits until the user holds no modifier; false when the press is to be dropped.
    bool WaitForFreeHands(HWND window, HANDLE stop) const;

    HINSTANCE instance_;
    BalloonSink balloons_;
    KeySender sendKeys_;
    std::mutex lock_;
    std::unique_ptr<const RuleSnapshot> rules_;   // under lock_
    Processed::CProcessedWindow windows_;         // under lock_
    Processed::CProcessedProcess processes_;      // under lock_
    std::atomic<bool> paused_{false};
    // Auto-reset, set when the pause begins: ends a wait for the user's keys.
    Flib::OwnedHandle pauseBegan_;
};

} // namespace Engine
