#pragma once
// The watcher: follows the foreground window on its own thread and hands each new one to the engine.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "engine/SwitchEngine.h"
#include "flib/Owned.h"

namespace Engine {

// What the watcher does each time it looks at the foreground, apart from the
// thread and its waits, so that any window at any time can be put through it.
class WatcherCycle {
public:
    using Clock = std::chrono::steady_clock;
    // The process prune enumerates every process: not on every look.
    static constexpr std::chrono::milliseconds kPruneInterval{4000};

    // `stop`, when set, drops a switch that waits for the user's keys (may be null).
    explicit WatcherCycle(SwitchEngine& engine, HANDLE stop = nullptr) : engine_(engine), stop_(stop) {}

    // Switches for `foreground` when it differs from the window of the last run.
    // Null (lock screen, secure desktop, between windows) is remembered, so the
    // next window counts as a change, but switches nothing. After a press the
    // engine dropped, the next window counts as a change too. Prunes the memories
    // on the first run and once `kPruneInterval` has passed since the last prune.
    void Run(HWND foreground, Clock::time_point now);

private:
    SwitchEngine& engine_;
    HANDLE stop_;
    HWND previous_ = nullptr;
    bool prunedOnce_ = false;
    Clock::time_point lastPrune_{};
};

// How the watcher paces itself; tests choose other times.
struct WatcherTimings {
    // The backstop: the foreground is read this often also when no event comes
    // (Wine raises none).
    std::chrono::milliseconds poll{500};
    // 50 ms passes over the windows an Alt+Tab sweep or the Start menu shows for a
    // moment, and stays below the time a user takes to type after a click.
    std::chrono::milliseconds settle{50};
    // Longer than any cycle takes, short enough that shutdown never looks hung.
    std::chrono::milliseconds stopLimit{3000};
};

// The one watcher thread of the program. It wakes on the system's foreground
// event and switches once the new window has settled; the poll catches whatever
// the event misses. Declare it after the engine and the configuration the
// engine reads, so that it is destroyed, and its thread ended, before them.
class ForegroundWatcher {
public:
    explicit ForegroundWatcher(SwitchEngine& engine, WatcherTimings timings = WatcherTimings{});
    // Stops the thread. One that is still stuck in a system call after the limit
    // would read the engine after it is gone: the process ends here instead, with
    // ERROR_TIMEOUT as its exit code.
    ~ForegroundWatcher();
    ForegroundWatcher(const ForegroundWatcher&) = delete;
    ForegroundWatcher& operator=(const ForegroundWatcher&) = delete;

    // Starts the thread, whose first cycle runs at once; nothing happens while it
    // runs. When the thread or its stop event cannot be created no watcher runs,
    // as nothing else can be done about it. When the foreground hook cannot be
    // set, the thread polls alone.
    void Start();
    // Ends the current wait at once and waits for the thread, but never longer
    // than the stop limit. True when no thread runs any more, so nothing of the
    // engine runs after it returns; false when the cycle did not end in time.
    // Safe to call again and without a start.
    bool Stop();

private:
    void Watch() noexcept;
    void WatchUntilStopped() noexcept;
    // Waits for the stop, a message or the time-out, and dispatches the messages
    // (the hook's events come as such); false when stopped.
    bool WaitAndDispatch(std::chrono::milliseconds timeout) noexcept;
    void MarkEnded() noexcept;

    SwitchEngine& engine_;
    const WatcherTimings timings_;
    // Manual-reset: set by Stop, reset by Start.
    Flib::OwnedHandle stop_;
    std::mutex lock_;
    std::condition_variable endedSignal_;
    // Written under lock_ so that Stop misses no end; atomic for the paths where the lock failed.
    std::atomic<bool> ended_{false};
    std::thread thread_;
};

} // namespace Engine
