// The watcher end to end: real foreground changes between two key loggers, with
// and without the foreground event, its cycle driven by hand, and its thread
// stopped however its cycle behaves and whatever it waits for.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include <windows.h>

#include <psapi.h>

#include "engine/ForegroundWatcher.h"
#include "engine/KeySending.h"
#include "tests/engine/EngineTestRules.h"
#include "tests/engine/TwoKeyLoggers.h"
#include "tests/support/ForegroundEvent.h"
#include "tests/support/ImportPatch.h"
#include "tests/support/Wait.h"

namespace {

using namespace Configuration;
using Engine::Balloon;
using Engine::ForegroundWatcher;
using Engine::SwitchEngine;
using Engine::WatcherCycle;
using Engine::WatcherTimings;
using EngineTest::MakeConfiguration;
using EngineTest::Rules;
using Flib::IO::Input::CKeys;
using TolvTest::ChangeForegroundWithEvent;
using TolvTest::ImportPatch;
using TolvTest::WaitUntil;

// Only the two key loggers have a rule, so nothing else on the desktop gets keys.
Rules WatchRules(int slot)
{
    Rules rules;
    rules.processed = PP_NONE; // only the watcher's own comparison prevents repeats
    rules.applications = {{MT_CLASSNAME_REGEX, L"TolvWatch.*", slot}};
    return rules;
}

// Holds a cycle in its keys, where the engine's key sender runs it, until
// released; released at the latest when destroyed, so declare it after the
// watcher whose cycle it holds.
class CycleGate {
public:
    CycleGate() = default;
    ~CycleGate() { Release(); }
    CycleGate(const CycleGate&) = delete;
    CycleGate& operator=(const CycleGate&) = delete;

    std::function<void()> Hold()
    {
        return [this] {
            reached_ = true;
            std::unique_lock<std::mutex> lock(lock_);
            released_.wait(lock, [this] { return !holding_; });
        };
    }
    bool Reached() const { return reached_; }
    void Release()
    {
        {
            const std::lock_guard<std::mutex> guard(lock_);
            holding_ = false;
        }
        released_.notify_all();
    }

private:
    std::mutex lock_;
    std::condition_variable released_;
    bool holding_ = true;
    std::atomic<bool> reached_{false};
};

class ForegroundWatcherTest : public EngineTest::TwoKeyLoggersTest {
protected:
    struct Switch {
        HWND window;
        CKeys keys;
    };

    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(TwoKeyLoggersTest::SetUp());
        engine.ApplySettings(*MakeConfiguration(WatchRules(0)));
        ASSERT_TRUE(TolvTest::SettleInFront(a->Window()));
    }
    void TearDown() override { EXPECT_TRUE(watcher.Stop()); }

    std::vector<Switch> Switches()
    {
        const std::lock_guard<std::mutex> guard(mutex);
        return switches;
    }
    std::size_t CountFor(HWND window)
    {
        std::size_t count = 0;
        for (const Switch& s : Switches()) {
            count += s.window == window ? 1 : 0;
        }
        return count;
    }

    std::size_t BalloonCount()
    {
        const std::lock_guard<std::mutex> guard(mutex);
        return balloons;
    }

    std::mutex mutex;
    std::vector<Switch> switches;
    std::size_t balloons = 0;
    // Run by the watcher thread after recording a switch and before pressing its keys.
    std::function<void()> beforeKeys = [] {};
    CConfigurations live;
    // The real keys, recorded on the way: the watcher thread calls this.
    SwitchEngine engine{live, ::GetModuleHandleW(nullptr),
                        [this](Balloon) {
                            const std::lock_guard<std::mutex> guard(mutex);
                            ++balloons;
                        },
                        [this](const CKeys& keys) {
                            // Under Wine the foreground may read null for a moment after
                            // the engine brought its window to the front.
                            HWND window = nullptr;
                            WaitUntil([&] { return (window = ::GetForegroundWindow()) != nullptr; }, 1000);
                            {
                                const std::lock_guard<std::mutex> guard(mutex);
                                switches.push_back({window, keys});
                            }
                            beforeKeys();
                            return Engine::Press(keys);
                        }};
    // After the engine it reads, as in the program.
    ForegroundWatcher watcher{engine};
};

TEST_F(ForegroundWatcherTest, AnEventAloneSwitchesTheNewForegroundWindow)
{
    // A poll that never comes in the test's time: only the event can bring the switch.
    WatcherTimings timings;
    timings.poll = std::chrono::minutes(1);
    ForegroundWatcher byEvent(engine, timings);
    byEvent.Start();
    ASSERT_TRUE(WaitUntil([&] { return CountFor(a->Window()) == 1; }, 3000)) << "the first cycle runs at once";

    ChangeForegroundWithEvent(b->Window());
    EXPECT_TRUE(WaitUntil([&] { return CountFor(b->Window()) == 1; }, 5000)) << "the event switched nothing";
    EXPECT_TRUE(byEvent.Stop());
}

TEST_F(ForegroundWatcherTest, ABurstShorterThanTheSettleTimeSwitchesOnlyTheWindowThatStays)
{
    // A third window with a rule, so that the burst's first window is not its last.
    EngineTest::OwnWindows own(L"TolvWatchC");
    const HWND c = own.Create(L"watch C");
    ASSERT_NE(c, nullptr);
    // Only events switch, and the burst takes a small part of the settle time even
    // on a loaded machine.
    WatcherTimings timings;
    timings.poll = std::chrono::minutes(1);
    timings.settle = std::chrono::milliseconds(400);
    ForegroundWatcher settling(engine, timings);
    settling.Start();
    ASSERT_TRUE(WaitUntil([&] { return Switches().size() == 1; }, 3000)) << "the first cycle runs at once";

    for (const HWND next : {c, a->Window(), c, b->Window()}) {
        ChangeForegroundWithEvent(next);
    }
    ASSERT_TRUE(WaitUntil([&] { return Switches().size() == 2; }, 5000));
    EXPECT_EQ(Switches()[1].window, b->Window()) << "a window the burst passed through was switched";
}

// The watcher thread's hook and waits as this executable imports them: seen, then passed on.
using SetHookFunction = HWINEVENTHOOK(WINAPI*)(DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD);
using UnhookFunction = BOOL(WINAPI*)(HWINEVENTHOOK);
using MsgWaitFunction = DWORD(WINAPI*)(DWORD, const HANDLE*, DWORD, DWORD, DWORD);

struct HookCalls {
    bool failSet = false;
    HWINEVENTHOOK set = nullptr;
    DWORD setOn = 0;
    std::vector<HWINEVENTHOOK> unhooked;
    DWORD unhookedOn = 0;
    BOOL unhookResult = FALSE;
    std::vector<DWORD> waitTimeouts; // of the hooking thread's waits
};
std::mutex hookCallsLock;
HookCalls hookCalls;
SetHookFunction realSetHook = nullptr;
UnhookFunction realUnhook = nullptr;
MsgWaitFunction realMsgWait = nullptr;

HWINEVENTHOOK WINAPI ObservedSetHook(DWORD first, DWORD last, HMODULE module, WINEVENTPROC callback, DWORD process,
                                     DWORD thread, DWORD flags)
{
    const std::lock_guard<std::mutex> guard(hookCallsLock);
    hookCalls.setOn = ::GetCurrentThreadId();
    hookCalls.set = hookCalls.failSet ? nullptr : realSetHook(first, last, module, callback, process, thread, flags);
    return hookCalls.set;
}

BOOL WINAPI ObservedUnhook(HWINEVENTHOOK hook)
{
    const BOOL result = realUnhook(hook);
    const std::lock_guard<std::mutex> guard(hookCallsLock);
    hookCalls.unhooked.push_back(hook);
    hookCalls.unhookedOn = ::GetCurrentThreadId();
    hookCalls.unhookResult = result;
    return result;
}

DWORD WINAPI ObservedMsgWait(DWORD count, const HANDLE* handles, DWORD timeout, DWORD wakeMask, DWORD flags)
{
    {
        const std::lock_guard<std::mutex> guard(hookCallsLock);
        if (::GetCurrentThreadId() == hookCalls.setOn) {
            hookCalls.waitTimeouts.push_back(timeout);
        }
    }
    return realMsgWait(count, handles, timeout, wakeMask, flags);
}

class ObservedHook {
public:
    explicit ObservedHook(bool failSet = false)
        : set_("SetWinEventHook", reinterpret_cast<void*>(&ObservedSetHook)),
          unhook_("UnhookWinEvent", reinterpret_cast<void*>(&ObservedUnhook)),
          wait_("MsgWaitForMultipleObjectsEx", reinterpret_cast<void*>(&ObservedMsgWait))
    {
        realSetHook = reinterpret_cast<SetHookFunction>(set_.Original());
        realUnhook = reinterpret_cast<UnhookFunction>(unhook_.Original());
        realMsgWait = reinterpret_cast<MsgWaitFunction>(wait_.Original());
        const std::lock_guard<std::mutex> guard(hookCallsLock);
        hookCalls = HookCalls{};
        hookCalls.failSet = failSet;
    }
    bool Patched() const { return set_.Slots() > 0 && unhook_.Slots() > 0 && wait_.Slots() > 0; }
    HookCalls Calls() const
    {
        const std::lock_guard<std::mutex> guard(hookCallsLock);
        return hookCalls;
    }
    // Whether the watcher thread has begun a wait of at least `min` and at most `max` ms.
    bool Waiting(DWORD min, DWORD max) const
    {
        for (const DWORD timeout : Calls().waitTimeouts) {
            if (timeout >= min && timeout <= max) {
                return true;
            }
        }
        return false;
    }

private:
    ImportPatch set_;
    ImportPatch unhook_;
    ImportPatch wait_;
};

// Wine raises no foreground event: the poll alone sees the change, at the first
// cycle after it, and switches the window once however many cycles follow.
TEST_F(ForegroundWatcherTest, WithoutAnEventThePollSwitchesANewForegroundWindowAtItsNextCycleAndOnlyOnce)
{
    const ObservedHook observed;
    ASSERT_TRUE(observed.Patched());
    watcher.Start();
    ASSERT_TRUE(WaitUntil([&] { return CountFor(a->Window()) == 1; }, 3000)) << "the first cycle runs at once";

    const std::size_t waitsBefore = observed.Calls().waitTimeouts.size();
    ASSERT_TRUE(b->BringToFront());
    ASSERT_TRUE(WaitUntil([&] { return CountFor(b->Window()) == 1; }, 3000));
    // A cycle may run with A still in front just after the count; the next one sees B.
    EXPECT_LE(observed.Calls().waitTimeouts.size() - waitsBefore, 2u) << "B was left for more than a poll";

    const std::size_t waitsSwitched = observed.Calls().waitTimeouts.size();
    ASSERT_TRUE(WaitUntil([&] { return observed.Calls().waitTimeouts.size() >= waitsSwitched + 3; }, 5000))
        << "three more cycles with B in front";
    EXPECT_EQ(CountFor(b->Window()), 1u);
    EXPECT_EQ(Switches().size(), 2u);
    EXPECT_TRUE(watcher.Stop());
}

TEST_F(ForegroundWatcherTest, StopWhileWaitingForAnEventOrSettlingEndsPromptlyAndUnhooksOnTheWatcherThread)
{
    // Waits far longer than the stop may take: only the stop can end them.
    WatcherTimings timings;
    timings.poll = std::chrono::minutes(1);
    timings.settle = std::chrono::seconds(30);
    const DWORD settleMs = 30000;
    for (const bool settling : {false, true}) {
        SCOPED_TRACE(settling ? "settling" : "waiting for an event");
        ASSERT_TRUE(a->BringToFront());
        const std::size_t before = Switches().size();
        const ObservedHook observed;
        ASSERT_TRUE(observed.Patched());
        ForegroundWatcher waiting(engine, timings);
        waiting.Start();
        ASSERT_TRUE(WaitUntil([&] { return Switches().size() == before + 1; }, 3000)) << "the first cycle";
        if (settling) {
            ChangeForegroundWithEvent(b->Window());
            ASSERT_TRUE(WaitUntil([&] { return observed.Waiting(settleMs - 5000, settleMs); }, 3000));
        } else {
            ASSERT_TRUE(WaitUntil([&] { return observed.Waiting(settleMs + 1, 60000); }, 3000));
        }

        // Both waits outlast the stop limit: a stop that did not end them would give up.
        EXPECT_TRUE(waiting.Stop());
        EXPECT_EQ(Switches().size(), before + 1) << "switched during the settle time";
        const HookCalls calls = observed.Calls();
        ASSERT_NE(calls.set, nullptr);
        EXPECT_EQ(calls.unhooked, std::vector<HWINEVENTHOOK>{calls.set});
        EXPECT_EQ(calls.unhookedOn, calls.setOn) << "unhooked on another thread than the one that hooked";
        EXPECT_TRUE(calls.unhookResult);
    }
}

TEST_F(ForegroundWatcherTest, WithoutTheHookThePollStillSwitchesAndNothingIsUnhooked)
{
    const ObservedHook observed(true);
    ASSERT_TRUE(observed.Patched());
    watcher.Start();
    ASSERT_TRUE(WaitUntil([&] { return CountFor(a->Window()) == 1; }, 3000));
    ASSERT_NE(observed.Calls().setOn, 0u) << "no hook was asked for";

    ChangeForegroundWithEvent(b->Window());
    EXPECT_TRUE(WaitUntil([&] { return CountFor(b->Window()) == 1; }, 3000)) << "the poll did not switch";
    EXPECT_TRUE(watcher.Stop());
    EXPECT_TRUE(observed.Calls().unhooked.empty());
}

// A cycle held between its decision and its keys while the settings are applied:
// the apply does not wait for it, the held cycle presses what it decided, and the
// next window is decided by the new settings.
TEST_F(ForegroundWatcherTest, SettingsAppliedBetweenADecisionAndItsKeysNeitherWaitNorMixSlots)
{
    watcher.Start();
    ASSERT_TRUE(WaitUntil([&] { return CountFor(a->Window()) == 1; }, 3000));

    CycleGate gate;
    beforeKeys = gate.Hold();
    ASSERT_TRUE(b->BringToFront());
    ASSERT_TRUE(WaitUntil([&] { return gate.Reached(); }, 3000)) << "B's cycle never reached its keys";

    std::atomic<bool> applied{false};
    const auto slot1 = MakeConfiguration(WatchRules(1));
    std::thread applying([&] {
        engine.ApplySettings(*slot1);
        applied = true;
    });
    const bool appliedWhileHeld = WaitUntil([&] { return applied.load(); }, 3000);
    gate.Release();
    applying.join();
    EXPECT_TRUE(appliedWhileHeld) << "the apply waited for another window's keys";
    beforeKeys = [] {};

    ASSERT_TRUE(a->BringToFront());
    ASSERT_TRUE(WaitUntil([&] { return CountFor(a->Window()) == 2; }, 3000)) << "the watcher stopped switching";
    const std::vector<Switch> all = Switches();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].keys, CKeys({VK_SHIFT, VK_MENU, '1'})) << "B's keys are those of the settings it was decided by";
    EXPECT_EQ(all[2].keys, CKeys({VK_SHIFT, VK_MENU, '2'})) << "A is decided by the applied settings";
}

TEST_F(ForegroundWatcherTest, StopIsSafeAnytimeAndAStartAfterItWatchesAgain)
{
    EXPECT_TRUE(watcher.Stop()) << "never started";
    watcher.Start();
    ASSERT_TRUE(WaitUntil([&] { return CountFor(a->Window()) == 1; }, 3000));
    EXPECT_TRUE(watcher.Stop());
    EXPECT_TRUE(watcher.Stop());

    watcher.Start();
    ASSERT_TRUE(b->BringToFront());
    EXPECT_TRUE(WaitUntil([&] { return CountFor(b->Window()) == 1; }, 3000)) << "the restarted watcher switches nothing";
}

TEST_F(ForegroundWatcherTest, AnExceptionInACycleDoesNotEndTheThread)
{
    std::atomic<bool> fail{true};
    beforeKeys = [&] {
        if (fail.exchange(false)) {
            throw std::runtime_error("the first switch fails");
        }
    };
    watcher.Start();
    // Only A and B have a rule: the first switch is A's, the next one can only be B's.
    // (Counted by switch, as the foreground may read null for a moment while the
    // engine brings a window to the front.)
    ASSERT_TRUE(WaitUntil([&] { return Switches().size() == 1; }, 3000));

    ASSERT_TRUE(b->BringToFront());
    EXPECT_TRUE(WaitUntil([&] { return Switches().size() == 2; }, 3000)) << "the watcher ended with the exception";
}

TEST_F(ForegroundWatcherTest, StopGivesUpOnACycleThatDoesNotEndAndJoinsOnceItDoes)
{
    WatcherTimings timings;
    timings.stopLimit = std::chrono::milliseconds(300);
    ForegroundWatcher stuck(engine, timings);
    CycleGate gate; // destroyed first: the held cycle is let go whatever the test's outcome
    beforeKeys = gate.Hold();

    stuck.Start();
    ASSERT_TRUE(WaitUntil([&] { return Switches().size() == 1; }, 3000)) << "the cycle reached the keys";
    EXPECT_FALSE(stuck.Stop()) << "a cycle held in the keys cannot have ended";

    gate.Release();
    EXPECT_TRUE(WaitUntil([&] { return stuck.Stop(); }, 5000));
}

// SetForegroundWindow as this executable imports it, seen and passed on.
using SetForegroundFunction = BOOL(WINAPI*)(HWND);
SetForegroundFunction realSetForeground = nullptr;
std::vector<HWND> broughtToFront;

BOOL WINAPI ObservedSetForeground(HWND window)
{
    broughtToFront.push_back(window);
    return realSetForeground(window);
}

// The cycle by hand on the main thread, so the foreground it sees is chosen by the test.
TEST_F(ForegroundWatcherTest, NoForegroundWindowSwitchesNothingAndTheNextWindowIsNew)
{
    // The architecture rule holds for any window, so a null one would be switched too.
    Rules rules;
    rules.architectureUse = 1;
    rules.imeNumber32 = 2;
    rules.imeNumber64 = 3;
    engine.ApplySettings(*MakeConfiguration(rules));
    ImportPatch patch("SetForegroundWindow", reinterpret_cast<void*>(&ObservedSetForeground));
    ASSERT_GT(patch.Slots(), 0u);
    realSetForeground = reinterpret_cast<SetForegroundFunction>(patch.Original());
    broughtToFront.clear();

    WatcherCycle cycle(engine);
    const auto now = WatcherCycle::Clock::now();
    cycle.Run(a->Window(), now);
    ASSERT_EQ(Switches().size(), 1u);
    ASSERT_EQ(broughtToFront, std::vector<HWND>{a->Window()});
    const std::size_t balloonsBefore = BalloonCount();
    ASSERT_GT(balloonsBefore, 0u) << "a switch shows a balloon";

    cycle.Run(nullptr, now);
    cycle.Run(nullptr, now);
    engine.SwitchForWindow(nullptr); // nor does the engine take null from any other caller
    EXPECT_EQ(Switches().size(), 1u) << "keys pressed for no window";
    EXPECT_EQ(broughtToFront.size(), 1u) << "SetForegroundWindow(NULL) called";
    EXPECT_EQ(BalloonCount(), balloonsBefore) << "a balloon for no window";

    cycle.Run(a->Window(), now);
    EXPECT_EQ(Switches().size(), 2u) << "after no window, the same window is a change";
}

// EnumProcesses as this executable imports it: the process prune is seen by its enumerations.
#define TOLV_NAME_OF(function) TOLV_NAME_OF_EXPANDED(function)
#define TOLV_NAME_OF_EXPANDED(function) #function

using EnumProcessesFunction = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
EnumProcessesFunction realEnumProcesses = nullptr;
int enumerations = 0;

BOOL WINAPI ObservedEnumProcesses(DWORD* ids, DWORD bytes, DWORD* written)
{
    ++enumerations;
    return realEnumProcesses(ids, bytes, written);
}

TEST_F(ForegroundWatcherTest, PrunesOnTheFirstCycleAndThenAtMostEveryInterval)
{
    Rules rules = WatchRules(0);
    rules.processed = PP_PROCESSID; // a remembered process makes every prune enumerate
    engine.ApplySettings(*MakeConfiguration(rules));
    ImportPatch patch(TOLV_NAME_OF(EnumProcesses), reinterpret_cast<void*>(&ObservedEnumProcesses));
    ASSERT_GT(patch.Slots(), 0u);
    realEnumProcesses = reinterpret_cast<EnumProcessesFunction>(patch.Original());
    enumerations = 0;

    WatcherCycle cycle(engine);
    const auto start = WatcherCycle::Clock::now();
    const auto interval = WatcherCycle::kPruneInterval;
    cycle.Run(a->Window(), start);
    ASSERT_EQ(Switches().size(), 1u);
    EXPECT_EQ(enumerations, 1) << "the first cycle prunes";

    cycle.Run(b->Window(), start + interval / 2);
    cycle.Run(a->Window(), start + interval - std::chrono::milliseconds(1));
    EXPECT_EQ(enumerations, 1) << "no prune within the interval";
    cycle.Run(a->Window(), start + interval);
    EXPECT_EQ(enumerations, 2);
    cycle.Run(a->Window(), start + interval + interval / 2);
    EXPECT_EQ(enumerations, 2) << "the interval counts from the last prune";
    cycle.Run(a->Window(), start + 3 * interval);
    EXPECT_EQ(enumerations, 3) << "a late cycle prunes at once";
}

} // namespace
