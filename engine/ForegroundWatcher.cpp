#include "engine/ForegroundWatcher.h"

#include <exception>
#include <system_error>

#include "engine/WatcherSchedule.h"

namespace Engine {

void WatcherCycle::Run(HWND foreground, Clock::time_point now)
{
    if (foreground != previous_) {
        // Remembered first: a window whose switch failed is not retried until the
        // foreground changes again, so a failure cannot repeat every poll. Null
        // (no window in front) is remembered too; the engine switches nothing for it.
        previous_ = foreground;
        if (!engine_.SwitchForWindow(foreground, stop_)) {
            // The press was dropped as the foreground moved on: whatever is in front
            // next is new, the same window too if the user came straight back to it.
            previous_ = nullptr;
        }
    }
    if (!prunedOnce_ || now - lastPrune_ >= kPruneInterval) {
        prunedOnce_ = true;
        lastPrune_ = now;
        engine_.PruneMemories();
    }
}

ForegroundWatcher::ForegroundWatcher(SwitchEngine& engine, WatcherTimings timings)
    : engine_(engine), timings_(timings)
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
    ended_ = false; // no thread runs yet to miss it
    if (!stop_) {
        stop_.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    }
    if (!stop_ || !::ResetEvent(stop_.Get())) {
        ended_ = true;
        return;
    }
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
    ::SetEvent(stop_.Get());
    bool ended = false;
    try {
        std::unique_lock<std::mutex> lock(lock_);
        ended = endedSignal_.wait_for(lock, timings_.stopLimit, [this] { return ended_.load(); });
    } catch (const std::system_error&) {
        ended = ended_;
    }
    if (!ended) {
        return false;
    }
    thread_.join(); // past its last cycle: returns at once
    return true;
}

namespace {

// Set by the hook on the watcher thread, read and cleared by the same thread's loop.
thread_local bool foregroundEventCame = false;

void CALLBACK OnForegroundEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD)
{
    foregroundEventCame = true;
}

} // namespace

void ForegroundWatcher::Watch() noexcept
{
    WatchUntilStopped();
    MarkEnded();
}

void ForegroundWatcher::WatchUntilStopped() noexcept
{
    // Out of context, so its events come to this thread's queue; tolv's own
    // windows included, as the rules decide for them like for any other.
    const Flib::OwnedWinEventHook hook(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                                         OnForegroundEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
    foregroundEventCame = false;
    WatcherCycle cycle(engine_, stop_.Get());
    WatcherSchedule schedule(timings_.poll, timings_.settle);
    HWND foreground = ::GetForegroundWindow();
    auto now = WatcherCycle::Clock::now();
    for (;;) {
        if (schedule.Due(foreground, now)) {
            try {
                cycle.Run(foreground, now);
            } catch (...) {
                // Nothing but a stop may end the thread.
            }
            now = WatcherCycle::Clock::now();
            schedule.CycleRan(now);
        }
        if (!WaitAndDispatch(schedule.Remaining(now))) {
            return; // the hook goes here, on the thread that set it
        }
        foreground = ::GetForegroundWindow();
        now = WatcherCycle::Clock::now();
        if (foregroundEventCame) {
            foregroundEventCame = false;
            schedule.EventCame(foreground, now);
        }
    }
}

bool ForegroundWatcher::WaitAndDispatch(std::chrono::milliseconds timeout) noexcept
{
    const HANDLE stop = stop_.Get();
    const DWORD timeoutMs = static_cast<DWORD>(timeout.count());
    const DWORD woke = ::MsgWaitForMultipleObjectsEx(1, &stop, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_OBJECT_0) {
        return false;
    }
    if (woke == WAIT_FAILED) {
        // Not expected with a handle of our own: then without the messages, which
        // only hasten a cycle, but still without a busy loop and stoppable.
        return ::WaitForSingleObject(stop, timeoutMs) != WAIT_OBJECT_0;
    }
    if (woke == WAIT_OBJECT_0 + 1) { // not on a time-out: an idle poll stays one system wait
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&message);
        }
    }
    return true;
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
