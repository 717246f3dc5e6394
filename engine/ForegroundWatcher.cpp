#include "engine/ForegroundWatcher.h"

#include <exception>
#include <system_error>

namespace Engine {

void WatcherCycle::Run(HWND foreground, Clock::time_point now)
{
    if (foreground != previous_) {
        // Remembered first: a window whose switch failed is not retried until the
        // foreground changes again, so a failure cannot repeat every poll.
        previous_ = foreground;
        if (foreground != nullptr) {
            engine_.SwitchForWindow(foreground);
        }
    }
    if (!prunedOnce_ || now - lastPrune_ >= kPruneInterval) {
        prunedOnce_ = true;
        lastPrune_ = now;
        engine_.PruneMemories();
    }
}

ForegroundWatcher::ForegroundWatcher(SwitchEngine& engine, std::chrono::milliseconds stopLimit)
    : engine_(engine), stopLimit_(stopLimit)
{
}

ForegroundWatcher::~ForegroundWatcher()
{
    if (!Stop()) {
        ::TerminateProcess(::GetCurrentProcess(), ERROR_TIMEOUT);
    }
}

void ForegroundWatcher::Start()
{
    if (thread_.joinable()) {
        return;
    }
    stopping_ = false; // no thread runs yet to miss it
    ended_ = false;
    try {
        thread_ = std::thread(&ForegroundWatcher::Watch, this);
    } catch (const std::exception&) {
        ended_ = true;
    }
}

bool ForegroundWatcher::Stop()
{
    if (!thread_.joinable()) {
        return true;
    }
    bool ended = false;
    try {
        std::unique_lock<std::mutex> lock(lock_);
        // Set under the sleep's lock, so the thread cannot miss the wake-up between
        // testing the flag and starting to wait.
        stopping_ = true;
        wake_.notify_all();
        ended = endedSignal_.wait_for(lock, stopLimit_, [this] { return ended_.load(); });
    } catch (const std::system_error&) {
        stopping_ = true;
        ended = ended_;
    }
    if (!ended) {
        return false;
    }
    thread_.join(); // past its last cycle: returns at once
    return true;
}

void ForegroundWatcher::Watch() noexcept
{
    WatcherCycle cycle(engine_);
    do {
        try {
            cycle.Run(::GetForegroundWindow(), WatcherCycle::Clock::now());
        } catch (...) {
            // Nothing but a stop may end the thread.
        }
    } while (!SleepUnlessStopped());
    MarkEnded();
}

bool ForegroundWatcher::SleepUnlessStopped() noexcept
{
    try {
        std::unique_lock<std::mutex> lock(lock_);
        return wake_.wait_for(lock, kPollInterval, [this] { return stopping_.load(); });
    } catch (const std::system_error&) {
        ::Sleep(static_cast<DWORD>(kPollInterval.count()));
        return stopping_;
    }
}

void ForegroundWatcher::MarkEnded() noexcept
{
    try {
        const std::lock_guard<std::mutex> guard(lock_);
        ended_ = true;
    } catch (const std::system_error&) {
        ended_ = true; // Stop then sees it at its limit at the latest
    }
    endedSignal_.notify_all();
}

} // namespace Engine
