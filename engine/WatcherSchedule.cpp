#include "engine/WatcherSchedule.h"

#include <algorithm>

namespace Engine {

WatcherSchedule::WatcherSchedule(std::chrono::milliseconds poll, std::chrono::milliseconds settle)
    : poll_(poll), settle_(settle)
{
}

void WatcherSchedule::CycleRan(Clock::time_point now)
{
    cycled_ = true;
    lastCycle_ = now;
    settling_ = false;
}

void WatcherSchedule::EventCame(HWND foreground, Clock::time_point now)
{
    if (!settling_) {
        settling_ = true;
        settlingSince_ = now;
    }
    // Even for the same window: it may have been left and come back between two reads.
    candidate_ = foreground;
    candidateSince_ = now;
}

bool WatcherSchedule::Due(HWND foreground, Clock::time_point now)
{
    if (settling_ && foreground != candidate_) {
        candidate_ = foreground;
        candidateSince_ = now;
    }
    // The first one at once, not by time: the clock may have started less than an interval ago.
    return !cycled_ || now >= DueAt();
}

std::chrono::milliseconds WatcherSchedule::Remaining(Clock::time_point now) const
{
    if (!cycled_) {
        return std::chrono::milliseconds::zero();
    }
    return std::max(std::chrono::ceil<std::chrono::milliseconds>(DueAt() - now), std::chrono::milliseconds::zero());
}

WatcherSchedule::Clock::time_point WatcherSchedule::DueAt() const
{
    if (!settling_) {
        return lastCycle_ + poll_;
    }
    return std::min(candidateSince_ + settle_, settlingSince_ + poll_);
}

} // namespace Engine
