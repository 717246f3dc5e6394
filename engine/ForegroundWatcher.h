#pragma once
// The watcher: follows the foreground window on its own thread and hands each new one to the engine.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "engine/SwitchEngine.h"

namespace Engine {

// What the watcher does each time it looks at the foreground, apart from the
// thread and its sleep, so that any window at any time can be put through it.
class WatcherCycle {
public:
    using Clock = std::chrono::steady_clock;
    // The process prune enumerates every process: not on every look.
    static constexpr std::chrono::milliseconds kPruneInterval{4000};

    explicit WatcherCycle(SwitchEngine& engine) : engine_(engine) {}

    // Switches for `foreground` when it differs from the window of the last run.
    // Null (lock screen, secure desktop, between windows) is remembered, so the
    // next window counts as a change, but switches nothing. Prunes the memories
    // on the first run and once `kPruneInterval` has passed since the last prune.
    void Run(HWND foreground, Clock::time_point now);

private:
    SwitchEngine& engine_;
    HWND previous_ = nullptr;
    bool prunedOnce_ = false;
    Clock::time_point lastPrune_{};
};

// The one watcher thread of the program. Declare it after the engine and the
// configuration the engine reads, so that it is destroyed, and its thread
// ended, before them.
class ForegroundWatcher {
public:
    static constexpr std::chrono::milliseconds kPollInterval{500};
    // Longer than any cycle takes, short enough that shutdown never looks hung.
    static constexpr std::chrono::milliseconds kDefaultStopLimit{3000};

    explicit ForegroundWatcher(SwitchEngine& engine, std::chrono::milliseconds stopLimit = kDefaultStopLimit);
    // Stops the thread. One that is still stuck in a system call after the limit
    // would read the engine after it is gone: the process ends here instead, with
    // ERROR_TIMEOUT as its exit code.
    ~ForegroundWatcher();
    ForegroundWatcher(const ForegroundWatcher&) = delete;
    ForegroundWatcher& operator=(const ForegroundWatcher&) = delete;

    // Starts the thread, whose first cycle runs at once; nothing happens while it
    // runs. When the thread cannot be created no watcher runs, as nothing else
    // can be done about it.
    void Start();
    // Ends the current sleep at once and waits for the thread, but never longer
    // than the stop limit. True when no thread runs any more, so nothing of the
    // engine runs after it returns; false when the cycle did not end in time.
    // Safe to call again and without a start.
    bool Stop();

private:
    void Watch() noexcept;
    // Sleeps one poll interval; true when woken to stop.
    bool SleepUnlessStopped() noexcept;
    void MarkEnded() noexcept;

    SwitchEngine& engine_;
    const std::chrono::milliseconds stopLimit_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::condition_variable endedSignal_;
    // Written under lock_ so that no wake-up is lost; atomic for the paths where the lock failed.
    std::atomic<bool> stopping_{false};
    std::atomic<bool> ended_{false};
    std::thread thread_;
};

} // namespace Engine
