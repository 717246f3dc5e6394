#include "tests/engine/WatcherBench.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "configuration/CConfigurations.h"
#include "engine/ForegroundWatcher.h"
#include "engine/KeySending.h"
#include "engine/SwitchEngine.h"
#include "flib/Owned.h"
#include "tests/engine/EngineTestRules.h"
#include "tests/support/ForegroundEvent.h"
#include "tests/support/ImportPatch.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/KeyPress.h"
#include "tests/support/TrayClick.h"

namespace EngineBench {

namespace {

using namespace Configuration;
using Clock = std::chrono::steady_clock;
using Engine::ForegroundWatcher;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;

constexpr int kChanges = 40;
constexpr int kVisits = 30;
constexpr int kReleases = 20;
constexpr std::chrono::milliseconds kVisit{150};
constexpr std::chrono::seconds kIdle{20};

// What the engine pressed, seen from the watcher thread.
struct Presses {
    std::atomic<int> count{0};
    std::atomic<DWORD> watcherThread{0};
};

// The watcher thread's waits, counted on their way to the system.
using MsgWaitFunction = DWORD(WINAPI*)(DWORD, const HANDLE*, DWORD, DWORD, DWORD);
MsgWaitFunction realMsgWait = nullptr;
std::atomic<DWORD> countedThread{0};
std::atomic<int> waits{0};

DWORD WINAPI CountedMsgWait(DWORD count, const HANDLE* handles, DWORD timeout, DWORD wakeMask, DWORD flags)
{
    if (::GetCurrentThreadId() == countedThread) {
        ++waits;
    }
    return realMsgWait(count, handles, timeout, wakeMask, flags);
}

double Milliseconds(Clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

bool WaitFor(const std::atomic<int>& count, int atLeast)
{
    const Clock::time_point end = Clock::now() + std::chrono::seconds(5);
    while (count < atLeast) {
        if (Clock::now() > end) {
            return false;
        }
        ::Sleep(5);
    }
    return true;
}

// What Windows does when the foreground changes; Wine raises no event itself.
void ChangeForeground(HWND window, bool raiseEvent)
{
    if (raiseEvent) {
        TolvTest::ChangeForegroundWithEvent(window);
    } else {
        ::SetForegroundWindow(window);
    }
}

void PrintSpread(const char* label, std::vector<double> ms, int missed)
{
    if (ms.empty()) {
        std::printf("  %-22s no key arrived (%d missed)\n", label, missed);
        return;
    }
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (const double m : ms) {
        sum += m;
    }
    const std::size_t n = ms.size();
    const double median = n % 2 == 1 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    const double p90 = ms[(n * 9 + 9) / 10 - 1];
    std::printf("  %-22s mean %6.1f  median %6.1f  p90 %6.1f  max %6.1f ms  (%zu changes, %d missed)\n", label,
                sum / n, median, p90, ms.back(), n, missed);
}

class Bench {
public:
    Bench()
        : a_(KeyLogBuild::Native, L"TolvBenchA", L"bench A"), b_(KeyLogBuild::Native, L"TolvBenchB", L"bench B")
    {
        EngineTest::Rules rules;
        rules.processed = PP_NONE; // every change of window switches
        rules.applications = {{MT_CLASSNAME_REGEX, L"TolvBench[AB]", 0}};
        engine_.ApplySettings(*EngineTest::MakeConfiguration(rules));
    }

    bool Ready() const { return a_.Window() != nullptr && b_.Window() != nullptr; }

    // From the moment the foreground changes to the first key of the hotkey at the window.
    void FocusToKeys(const char* label, bool raiseEvent)
    {
        ForegroundWatcher watcher(engine_);
        if (!StartOn(watcher, a_)) {
            return;
        }
        std::mt19937 random(20261210);
        std::uniform_int_distribution<int> pauseMs(0, 999); // any moment of the poll's rhythm
        std::vector<double> latencies;
        int missed = 0;
        KeyLogProcess* next = &b_;
        for (int n = 0; n < kChanges; ++n) {
            ::Sleep(static_cast<DWORD>(pauseMs(random)));
            const std::size_t before = next->Log().size();
            const Clock::time_point changed = Clock::now();
            ChangeForeground(next->Window(), raiseEvent);
            while (next->Log().size() == before && Clock::now() - changed < std::chrono::seconds(3)) {
                ::Sleep(1);
            }
            if (next->Log().size() > before) {
                latencies.push_back(Milliseconds(Clock::now() - changed));
            } else {
                ++missed;
            }
            next = next == &a_ ? &b_ : &a_;
        }
        PrintSpread(label, latencies, missed);
    }

    // Ctrl held at the keyboard through the focus change: from the moment its
    // release is seen to the first key of the hotkey at the window.
    void ReleaseToKeys(const char* label)
    {
        ForegroundWatcher watcher(engine_);
        if (!StartOn(watcher, a_)) {
            return;
        }
        std::vector<double> latencies;
        int missed = 0;
        int pressedWhileHeld = 0;
        KeyLogProcess* next = &b_;
        for (int n = 0; n < kReleases; ++n) {
            ::Sleep(300); // past the last switch's keys
            TolvTest::HeldKey ctrl(VK_CONTROL);
            if (!ctrl.Held()) {
                std::printf("  could not hold Ctrl\n");
                return;
            }
            const int pressesBefore = presses_.count;
            const std::size_t before = next->Log().size();
            ChangeForeground(next->Window(), true);
            ::Sleep(200); // the decision is made and waits
            pressedWhileHeld += presses_.count - pressesBefore;
            // Released at the keyboard, timed from the moment this process reads it up.
            TolvTest::StartXdotool(L"keyup Control_L");
            const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(3);
            while ((::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0 && Clock::now() < giveUp) {
                ::Sleep(1);
            }
            const Clock::time_point released = Clock::now();
            bool arrived = false;
            while (!arrived && Clock::now() - released < std::chrono::seconds(3)) {
                const std::vector<TolvTest::LoggedKey> log = next->Log();
                for (std::size_t k = before; k < log.size() && !arrived; ++k) {
                    arrived = log[k].virtualKey == VK_SHIFT && !log[k].up; // the hotkey's first key
                }
                if (!arrived) {
                    ::Sleep(1);
                }
            }
            if (arrived) {
                latencies.push_back(Milliseconds(Clock::now() - released));
            } else {
                ++missed;
            }
            next = next == &a_ ? &b_ : &a_;
        }
        PrintSpread(label, latencies, missed);
        std::printf("  %-22s %d pressed while Ctrl was held\n", "", pressedWhileHeld);
    }

    // Two windows taking turns, each in front for kVisit: how many visits were switched.
    void ShortVisits(const char* label, bool raiseEvent)
    {
        ForegroundWatcher watcher(engine_);
        if (!StartOn(watcher, a_)) {
            return;
        }
        ::Sleep(700); // past the first switch and its keys
        const int before = presses_.count;
        const Clock::time_point start = Clock::now();
        for (int n = 0; n < kVisits; ++n) {
            ChangeForeground((n % 2 == 0 ? b_ : a_).Window(), raiseEvent);
            std::this_thread::sleep_until(start + (n + 1) * kVisit);
        }
        const int switched = presses_.count - before;
        std::printf("  %-22s %d of %d visits of %lld ms switched\n", label, switched, kVisits,
                    static_cast<long long>(kVisit.count()));
    }

    // CPU time of the watcher thread while nothing happens.
    void Idle()
    {
        ForegroundWatcher watcher(engine_);
        if (!StartOn(watcher, a_)) {
            return;
        }
        const Flib::OwnedHandle thread(::OpenThread(THREAD_QUERY_INFORMATION, FALSE, presses_.watcherThread));
        if (!thread) {
            std::printf("  could not open the watcher thread\n");
            return;
        }
        const TolvTest::ImportPatch patch("MsgWaitForMultipleObjectsEx", reinterpret_cast<void*>(&CountedMsgWait));
        realMsgWait = reinterpret_cast<MsgWaitFunction>(patch.Original());
        countedThread = presses_.watcherThread.load();
        ::Sleep(1000); // past the first switch
        const double startCpu = CpuMs(thread.Get());
        const int startWaits = waits;
        const Clock::time_point start = Clock::now();
        std::this_thread::sleep_for(kIdle);
        const double cpu = CpuMs(thread.Get()) - startCpu;
        const int woke = waits - startWaits;
        const double wall = Milliseconds(Clock::now() - start);
        std::printf("  watcher thread CPU over %.0f s idle: %.1f ms (%.3f %% of a core; Wine counts in 10 ms steps)\n",
                    wall / 1000, cpu, 100 * cpu / wall);
        std::printf("  waits begun meanwhile: %d (%.0f ms apart)\n", woke, woke > 0 ? wall / woke : 0.0);
        watcher.Stop(); // before the patch goes
    }

private:
    // The first cycle switches the window in front at once.
    bool StartOn(ForegroundWatcher& watcher, KeyLogProcess& window)
    {
        if (!window.BringToFront()) {
            std::printf("  could not bring a key logger to the front\n");
            return false;
        }
        const int before = presses_.count;
        watcher.Start();
        if (!WaitFor(presses_.count, before + 1)) {
            std::printf("  the watcher did not switch\n");
            return false;
        }
        return true;
    }

    static double CpuMs(HANDLE thread)
    {
        FILETIME created, exited, kernel, user;
        if (!::GetThreadTimes(thread, &created, &exited, &kernel, &user)) {
            return 0;
        }
        const auto ticks = [](const FILETIME& time) {
            return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
        };
        return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
    }

    KeyLogProcess a_;
    KeyLogProcess b_;
    Presses presses_;
    CConfigurations live_;
    Engine::SwitchEngine engine_{live_, ::GetModuleHandleW(nullptr), [](Engine::Balloon) {},
                                 [this](const Flib::IO::Input::CKeys& keys) {
                                     presses_.watcherThread = ::GetCurrentThreadId();
                                     ++presses_.count;
                                     return Engine::Press(keys);
                                 }};
};

} // namespace

bool BenchWatcher()
{
    Bench bench;
    if (!bench.Ready()) {
        std::printf("could not start the key-logging windows\n");
        return false;
    }
    std::printf("foreground change to the first hotkey key at a key-logging window of another process:\n");
    bench.FocusToKeys("with the event:", true);
    bench.FocusToKeys("poll alone:", false);
    std::printf("Ctrl held through the focus change, its release to the first hotkey key:\n");
    bench.ReleaseToKeys("after the release:");
    std::printf("short visits, two windows taking turns:\n");
    bench.ShortVisits("with the event:", true);
    bench.ShortVisits("poll alone:", false);
    std::printf("idle, with the foreground hook in place:\n");
    bench.Idle();
    return true;
}

} // namespace EngineBench
