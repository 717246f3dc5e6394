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
    return now >= DueAt();
}

std::chrono::milliseconds WatcherSchedule::Remaining(Clock::time_point now) const
{
    return std::max(std::chrono::ceil<std::chrono::milliseconds>(DueAt() - now), std::chrono::milliseconds::zero());
}

WatcherSchedule::Clock::time_point WatcherSchedule::DueAt() const
{
    if (!cycled_) {
        return Clock::time_point::min(); // the clock may have started less than an interval ago
    }
    if (!settling_) {
        return lastCycle_ + poll_;
    }
    return std::min(candidateSince_ + settle_, settlingSince_ + poll_);
}

} // namespace Engine
