#include "engine/ForegroundWatcher.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>

namespace Engine {

namespace {

constexpr std::chrono::milliseconds kPollInterval(500);

std::atomic<bool> watcherRunning(false);
std::mutex sleepLock;
std::condition_variable wakeUp;

// A watcher still running at exit is stopped rather than ending the process
// in std::terminate.
struct WatcherThread {
    std::thread thread;
    ~WatcherThread() { StopForegroundWatcher(); }
};
WatcherThread watcherThread;

// Wakes early when the watcher is stopped.
void WaitForNextCycle()
{
    try {
        std::unique_lock<std::mutex> lock(sleepLock);
        wakeUp.wait_for(lock, kPollInterval, [] { return !watcherRunning; });
    } catch (const std::system_error&) {
        ::Sleep(static_cast<DWORD>(kPollInterval.count()));
    }
}

void ForegroundWatcher(SwitchEngine& engine) noexcept
{
    HWND previous = nullptr;
    std::uint32_t cycle = 0;
    while (watcherRunning) {
        try {
            previous = RunWatcherCycle(engine, previous, cycle);
        } catch (...) {
            // Nothing may end the thread but the flag; the window is tried again next cycle.
        }
        ++cycle;
        WaitForNextCycle();
    }
}

} // namespace

HWND RunWatcherCycle(SwitchEngine& engine, HWND previous, std::uint32_t cycle)
{
    const HWND current = ::GetForegroundWindow();
    if (current != previous) {
        engine.SwitchForWindow(current);
    }
    // About every 4 s: the process prune enumerates every process.
    if ((cycle & 7u) == 0) {
        engine.PruneMemories();
    }
    return current;
}

void StartForegroundWatcher(SwitchEngine& engine)
{
    if (watcherThread.thread.joinable()) {
        return;
    }
    watcherRunning = true;
    try {
        watcherThread.thread = std::thread(ForegroundWatcher, std::ref(engine));
    } catch (const std::exception&) {
        watcherRunning = false;
    }
}

void StopForegroundWatcher()
{
    {
        // Under the sleep's lock, so the watcher cannot miss the wake-up between
        // testing the flag and starting to wait.
        const std::lock_guard<std::mutex> guard(sleepLock);
        watcherRunning = false;
    }
    wakeUp.notify_all();
    if (watcherThread.thread.joinable()) {
        watcherThread.thread.join();
    }
}

} // namespace Engine
