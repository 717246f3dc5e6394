#pragma once
// When the watcher looks at the foreground: once it has settled after a foreground
// event, and otherwise every poll interval.
#include <windows.h>

#include <chrono>

namespace Engine {

// Pure timing, given the times and the window in front, so any sequence can be
// put through it. Events only wake the watcher: what it switches is still read
// from the foreground when a cycle is due.
class WatcherSchedule {
public:
    using Clock = std::chrono::steady_clock;

    WatcherSchedule(std::chrono::milliseconds poll, std::chrono::milliseconds settle);

    // The first cycle is due at once. A cycle ran at `now`: the next poll is one
    // interval later, and any settling is over.
    void CycleRan(Clock::time_point now);
    // The foreground changed and `foreground` is in front now: a cycle is due once
    // the same window has stayed in front for the settle time. The poll waits
    // meanwhile, so it cannot catch a window a burst merely passes through.
    void EventCame(HWND foreground, Clock::time_point now);
    // Whether a cycle is due at `now` with `foreground` in front. While settling,
    // another window than the last one seen starts the settle time again; a
    // foreground that never settles is looked at one poll interval after the
    // first event, as the poll would have.
    bool Due(HWND foreground, Clock::time_point now);
    // How long to wait from `now` until the next cycle is due; zero when it is,
    // never a part of a millisecond short of it.
    std::chrono::milliseconds Remaining(Clock::time_point now) const;

private:
    Clock::time_point DueAt() const;

    const std::chrono::milliseconds poll_;
    const std::chrono::milliseconds settle_;
    bool cycled_ = false;
    Clock::time_point lastCycle_{};
    bool settling_ = false;
    Clock::time_point settlingSince_{};
    HWND candidate_ = nullptr;
    Clock::time_point candidateSince_{};
};

} // namespace Engine
