// The user's hands come first: the watcher's hotkey waits while Shift, Ctrl, Alt
// or Win is held, and goes only to the window it was decided for. Keys are held
// through SendInput as a keyboard holds them; the targets are windows of other
// processes, one of them Wine's own notepad.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include <windows.h>

#include "engine/ForegroundWatcher.h"
#include "engine/KeySending.h"
#include "tests/engine/EngineTestRules.h"
#include "tests/engine/TwoKeyLoggers.h"
#include "tests/support/ForegroundEvent.h"
#include "tests/support/ImportPatch.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/KeyPress.h"
#include "tests/support/NotepadProcess.h"
#include "tests/support/Wait.h"

namespace {

using namespace Configuration;
using Engine::Balloon;
using Engine::ForegroundWatcher;
using Engine::SwitchEngine;
using Engine::WatcherTimings;
using EngineTest::MakeConfiguration;
using EngineTest::Rules;
using Flib::IO::Input::CKeys;
using TolvTest::ChangeForegroundWithEvent;
using TolvTest::HeldKey;
using TolvTest::ImportPatch;
using TolvTest::KeyLogProcess;
using TolvTest::LoggedKey;
using TolvTest::WaitUntil;

constexpr BYTE kMarker = VK_SPACE;
using Keys = std::vector<std::pair<int, bool>>; // virtual key, released
// Slot n's default hotkey Alt+Shift+<n+1>, Shift first as the rules send it.
Keys Hotkey(char digit)
{
    return {{VK_SHIFT, false}, {VK_MENU, false}, {digit, false}, {digit, true}, {VK_MENU, true}, {VK_SHIFT, true}};
}

// GetAsyncKeyState as this executable imports it: the engine's looks at the
// user's keys are counted, on threads other than the test's.
using GetAsyncKeyStateFunction = SHORT(WINAPI*)(int);
GetAsyncKeyStateFunction realGetAsyncKeyState = nullptr;
DWORD testThread = 0;
std::atomic<int> engineKeyLooks{0};

SHORT WINAPI CountedGetAsyncKeyState(int key)
{
    if (::GetCurrentThreadId() != testThread) {
        ++engineKeyLooks;
    }
    return realGetAsyncKeyState(key);
}

// The watcher thread's waits between cycles: one begins once a cycle has ended.
using MsgWaitFunction = DWORD(WINAPI*)(DWORD, const HANDLE*, DWORD, DWORD, DWORD);
MsgWaitFunction realMsgWait = nullptr;
std::atomic<int> watcherWaits{0};

DWORD WINAPI CountedMsgWait(DWORD count, const HANDLE* handles, DWORD timeout, DWORD wakeMask, DWORD flags)
{
    if (::GetCurrentThreadId() != testThread) {
        ++watcherWaits;
    }
    return realMsgWait(count, handles, timeout, wakeMask, flags);
}

class HeldKeysTest : public EngineTest::TwoKeyLoggersTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(TwoKeyLoggersTest::SetUp());
        ASSERT_GT(looks_.Slots(), 0u) << "the engine's key reads cannot be seen";
        ASSERT_GT(waits_.Slots(), 0u) << "the watcher's waits cannot be seen";
        realGetAsyncKeyState = reinterpret_cast<GetAsyncKeyStateFunction>(looks_.Original());
        realMsgWait = reinterpret_cast<MsgWaitFunction>(waits_.Original());
        testThread = ::GetCurrentThreadId();
        Use(PP_NONE);
        ASSERT_TRUE(a->BringToFront());
    }
    void TearDown() override
    {
        if (watcher_) {
            EXPECT_TRUE(watcher_->Stop());
        }
    }

    void Use(ProcessedPolicy policy)
    {
        Rules rules;
        rules.processed = policy;
        rules.applications = {{MT_CLASSNAME, L"TolvWatchA", 0}, {MT_CLASSNAME, L"TolvWatchB", 1},
                              {MT_CLASSNAME, L"Notepad", 2}};
        engine.ApplySettings(*MakeConfiguration(rules));
    }

    // Starts the watcher with A in front and waits for A's own switch. Wine can
    // still pass the activation on to a window that appeared shortly before: A
    // must have stayed in front for a while first.
    void StartWithAInFront(WatcherTimings timings = WatcherTimings{})
    {
        ASSERT_TRUE(a->BringToFront());
        ASSERT_TRUE(TolvTest::SettleInFront(a->Window(), 200));
        const std::size_t from = a->Log().size();
        watcher_ = std::make_unique<ForegroundWatcher>(engine, timings);
        watcher_->Start();
        ASSERT_TRUE(WaitUntil([&] { return SentTo(a->Window()) == 1; }, 5000)) << "the first cycle switches A";
        ASSERT_TRUE(WaitUntil([&] { return a->Log().size() >= from + Hotkey('1').size(); }, 3000));
    }

    // The engine has had its chance: it has looked at the held keys again and again.
    bool EngineWaited()
    {
        const int since = engineKeyLooks;
        return WaitUntil([&] { return engineKeyLooks >= since + 3 * 5; }, 5000);
    }

    std::size_t SentTo(HWND window)
    {
        const std::lock_guard<std::mutex> guard(mutex_);
        std::size_t count = 0;
        for (const HWND w : sent_) {
            count += w == window ? 1 : 0;
        }
        return count;
    }

    // What `logger` received after `from`, up to a marker pressed now: every key
    // in flight has arrived by then.
    static Keys ReceivedUntilMarker(const KeyLogProcess& logger, std::size_t from)
    {
        TolvTest::PressKey(kMarker);
        std::vector<LoggedKey> log;
        EXPECT_TRUE(WaitUntil([&] {
            log = logger.Log();
            return log.size() >= from + 2 && log.back().virtualKey == kMarker && log.back().up;
        })) << "the marker never arrived";
        Keys keys;
        for (std::size_t n = from; n + 2 < log.size(); ++n) {
            keys.emplace_back(static_cast<int>(log[n].virtualKey), log[n].up);
        }
        return keys;
    }

    // `received` without the user's own `key`: Wine passes the keyboard's events
    // for it on to a window that became active meanwhile, or not. A release that
    // arrives comes first, as the hotkey waited for it.
    static Keys WithoutTheUsersKey(Keys received, int key)
    {
        received.erase(std::remove(received.begin(), received.end(), std::make_pair(key, false)), received.end());
        if (!received.empty() && received.front() == std::make_pair(key, true)) {
            received.erase(received.begin());
        }
        return received;
    }

    ImportPatch looks_{"GetAsyncKeyState", reinterpret_cast<void*>(&CountedGetAsyncKeyState)};
    ImportPatch waits_{"MsgWaitForMultipleObjectsEx", reinterpret_cast<void*>(&CountedMsgWait)};
    std::mutex mutex_;
    std::vector<HWND> sent_; // the window in front at each press
    CConfigurations settings;
    // Counted once pressed, so that keys the test presses next come after them.
    SwitchEngine engine{settings, ::GetModuleHandleW(nullptr), [](Balloon) {}, [this](const CKeys& keys) {
                            const HWND foreground = ::GetForegroundWindow();
                            const bool pressed = Engine::Press(keys);
                            const std::lock_guard<std::mutex> guard(mutex_);
                            sent_.push_back(foreground);
                            return pressed;
                        }};
    std::unique_ptr<ForegroundWatcher> watcher_;
};

// Win+1 brought B to the front with Win still down: Win+Shift+Alt+2 would be
// another command; the hotkey comes whole once Win is up.
TEST_F(HeldKeysTest, WinHeldAsTheWindowComesToTheFrontHoldsTheHotkeyUntilItsRelease)
{
    ASSERT_NO_FATAL_FAILURE(StartWithAInFront());
    HeldKey win(VK_LWIN);
    ASSERT_TRUE(win.Held());
    TolvTest::PressKey('1'); // the user's Win+1, to the window in front then
    const std::size_t from = b->Log().size();
    ChangeForegroundWithEvent(b->Window());
    ASSERT_TRUE(EngineWaited());
    EXPECT_EQ(SentTo(b->Window()), 0u) << "pressed while Win was held";
    EXPECT_TRUE(b->Log().size() == from) << "keys reached B while Win was held";

    win.Release();
    ASSERT_TRUE(WaitUntil([&] { return SentTo(b->Window()) == 1; }, 3000)) << "nothing pressed after the release";
    EXPECT_EQ(WithoutTheUsersKey(ReceivedUntilMarker(*b, from), VK_LWIN), Hotkey('2'));
    EXPECT_EQ(SentTo(b->Window()), 1u);
}

// The user clicks into notepad and types capitals at once: the letters stay
// capitals, because no key-up of tolv's ends the user's Shift.
TEST_F(HeldKeysTest, ShiftHeldWhileTypingRightAfterTheClickKeepsTheUsersLettersAsTyped)
{
    TolvTest::NotepadProcess notepad;
    ASSERT_NE(notepad.Window(), nullptr) << "notepad did not start";
    ASSERT_TRUE(a->BringToFront());
    // Notepad types by the Shift it was sent, which Wine keeps held only until the
    // next activation: held once notepad is settled in front, well within the settle.
    WatcherTimings timings;
    timings.poll = std::chrono::minutes(1);
    timings.settle = std::chrono::milliseconds(400);
    ASSERT_NO_FATAL_FAILURE(StartWithAInFront(timings));

    ChangeForegroundWithEvent(notepad.Window());
    ASSERT_TRUE(TolvTest::SettleInFront(notepad.Window(), 100));
    HeldKey shift(VK_SHIFT, HeldKey::Through::Input);
    ASSERT_TRUE(shift.Held());
    ASSERT_EQ(SentTo(notepad.Window()), 0u) << "decided before Shift came down: the settle is too short here";
    ASSERT_TRUE(EngineWaited());
    for (const WORD letter : {'A', 'B', 'C'}) {
        TolvTest::PressKey(letter);
    }
    ASSERT_TRUE(WaitUntil([&] { return notepad.Text() == L"ABC"; }, 3000)) << "typed: " << testing::PrintToString(notepad.Text());
    EXPECT_EQ(SentTo(notepad.Window()), 0u) << "pressed while Shift was held";

    shift.Release();
    ASSERT_TRUE(WaitUntil([&] { return SentTo(notepad.Window()) == 1; }, 3000)) << "nothing pressed after the release";
    for (const WORD letter : {'D', 'E', 'F'}) {
        TolvTest::PressKey(letter);
    }
    EXPECT_TRUE(WaitUntil([&] { return notepad.Text() == L"ABCdef"; }, 3000));
    EXPECT_EQ(notepad.Text(), L"ABCdef");
}

// Ctrl held from B on to A: B's press is dropped, A gets its own after the release.
TEST_F(HeldKeysTest, CtrlHeldWhileTheForegroundMovesOnDropsTheFirstWindowsPress)
{
    ASSERT_NO_FATAL_FAILURE(StartWithAInFront());
    const std::size_t fromA = a->Log().size();
    const std::size_t fromB = b->Log().size();
    HeldKey ctrl(VK_CONTROL);
    ASSERT_TRUE(ctrl.Held());
    ChangeForegroundWithEvent(b->Window());
    ASSERT_TRUE(EngineWaited());
    ChangeForegroundWithEvent(a->Window());
    ASSERT_TRUE(EngineWaited());

    EXPECT_EQ(SentTo(a->Window()), 1u) << "A's second press came while Ctrl was held";

    ctrl.Release();
    ASSERT_TRUE(WaitUntil([&] { return SentTo(a->Window()) == 2; }, 3000)) << "A was not switched after the release";
    EXPECT_EQ(WithoutTheUsersKey(ReceivedUntilMarker(*a, fromA), VK_CONTROL), Hotkey('1'));
    // Everything pressed has arrived by A's marker.
    EXPECT_EQ(b->Log().size(), fromB) << "B got keys after the foreground left it";
    EXPECT_EQ(SentTo(b->Window()), 0u);
}

// A press that never happened leaves the window new: it is switched when it comes back.
TEST_F(HeldKeysTest, ADroppedPressIsNotRememberedAsSwitched)
{
    Use(PP_WINDOWHANDLE);
    ASSERT_NO_FATAL_FAILURE(StartWithAInFront());
    {
        HeldKey ctrl(VK_CONTROL);
        ASSERT_TRUE(ctrl.Held());
        ChangeForegroundWithEvent(b->Window());
        ASSERT_TRUE(EngineWaited());
        ChangeForegroundWithEvent(a->Window()); // remembered: A is not switched again
    }
    const std::size_t from = b->Log().size();
    ChangeForegroundWithEvent(b->Window());
    ASSERT_TRUE(WaitUntil([&] { return SentTo(b->Window()) == 1; }, 3000)) << "B was remembered without its keys";
    EXPECT_EQ(ReceivedUntilMarker(*b, from), Hotkey('2'));
    EXPECT_EQ(SentTo(a->Window()), 1u);
}

TEST_F(HeldKeysTest, APauseOrAStopDuringTheWaitDropsThePress)
{
    for (const bool pause : {true, false}) {
        SCOPED_TRACE(pause ? "pause" : "stop");
        engine.SetPaused(false);
        ASSERT_TRUE(a->BringToFront());
        ASSERT_NO_FATAL_FAILURE(StartWithAInFront());
        const std::size_t from = b->Log().size();
        {
            HeldKey win(VK_LWIN);
            ASSERT_TRUE(win.Held());
            TolvTest::PressKey('2');
            ChangeForegroundWithEvent(b->Window());
            ASSERT_TRUE(EngineWaited());
            if (pause) {
                const int waits = watcherWaits;
                engine.SetPaused(true);
                ASSERT_TRUE(WaitUntil([&] { return watcherWaits > waits; }, 3000))
                    << "the cycle went on waiting through the pause";
            } else {
                // Win stays held through the whole stop: only the stop can end the wait.
                EXPECT_TRUE(watcher_->Stop()) << "the stop waited for the user's keys";
            }
        }
        engine.SetPaused(false); // a wait still running would press now
        // At most the user's own Win key-up.
        Keys received = ReceivedUntilMarker(*b, from);
        received.erase(std::remove(received.begin(), received.end(), std::make_pair(int{VK_LWIN}, true)),
                       received.end());
        EXPECT_TRUE(received.empty()) << "the hotkey was pressed after all: " << received.size() << " keys";
        EXPECT_EQ(SentTo(b->Window()), 0u);
        ASSERT_TRUE(watcher_->Stop());
    }
}

} // namespace
