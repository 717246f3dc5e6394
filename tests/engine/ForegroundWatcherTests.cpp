// The watcher thread end to end: real foreground changes between two key loggers.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <vector>

#include "engine/ForegroundWatcher.h"
#include "engine/KeySending.h"
#include "tests/engine/EngineTestRules.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/Wait.h"

namespace {

using namespace Configuration;
using Engine::Balloon;
using Engine::StartForegroundWatcher;
using Engine::StopForegroundWatcher;
using Engine::SwitchEngine;
using EngineTest::MakeConfiguration;
using EngineTest::Rules;
using Flib::IO::Input::CKeys;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;
using TolvTest::WaitUntil;

constexpr ULONGLONG kPollMs = 500;
// What one engine run may take on a loaded test machine, on top of the poll.
constexpr ULONGLONG kEngineAllowanceMs = 300;

// Only the two key loggers have a rule, so nothing else on the desktop gets keys.
Rules WatchRules(int slot)
{
    Rules rules;
    rules.processed = PP_NONE; // only the watcher's own comparison prevents repeats
    rules.applications = {{MT_CLASSNAME_REGEX, L"TolvWatch.*", slot}};
    return rules;
}

class ForegroundWatcherTest : public ::testing::Test {
protected:
    struct Switch {
        HWND window;
        ULONGLONG tick;
        CKeys keys;
    };

    static void SetUpTestSuite()
    {
        // Each new window activates itself a little after it appears: wait for that,
        // so it cannot take the foreground from a test later.
        a = new KeyLogProcess(KeyLogBuild::Native, L"TolvWatchA", L"watch A");
        a->BringToFront();
        b = new KeyLogProcess(KeyLogBuild::Native, L"TolvWatchB", L"watch B");
        b->BringToFront();
    }
    static void TearDownTestSuite()
    {
        delete a;
        delete b;
        a = b = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(a->Window(), nullptr);
        ASSERT_NE(b->Window(), nullptr);
        engine.ApplySettings(*MakeConfiguration(WatchRules(0)));
        ASSERT_TRUE(a->BringToFront());
    }
    void TearDown() override { StopForegroundWatcher(); }

    std::vector<Switch> Switches()
    {
        const std::lock_guard<std::mutex> guard(mutex);
        return switches;
    }
    std::size_t CountFor(HWND window, ULONGLONG since = 0)
    {
        std::size_t count = 0;
        for (const Switch& s : Switches()) {
            count += (s.window == window && s.tick >= since) ? 1 : 0;
        }
        return count;
    }

    static KeyLogProcess* a;
    static KeyLogProcess* b;

    std::mutex mutex;
    std::vector<Switch> switches;
    CConfigurations live;
    // The real keys, recorded on the way: the watcher thread calls this.
    SwitchEngine engine{live, ::GetModuleHandleW(nullptr), [](Balloon) {}, [this](const CKeys& keys) {
                            {
                                const std::lock_guard<std::mutex> guard(mutex);
                                switches.push_back({::GetForegroundWindow(), ::GetTickCount64(), keys});
                            }
                            return Engine::Press(keys);
                        }};
};

KeyLogProcess* ForegroundWatcherTest::a = nullptr;
KeyLogProcess* ForegroundWatcherTest::b = nullptr;

TEST_F(ForegroundWatcherTest, SwitchesANewForegroundWindowWithinAPollAndOnlyOnce)
{
    StartForegroundWatcher(engine);
    ASSERT_TRUE(WaitUntil([&] { return CountFor(a->Window()) == 1; }, 3000)) << "the first cycle runs at once";

    const ULONGLONG focused = ::GetTickCount64();
    ASSERT_TRUE(b->BringToFront());
    ASSERT_TRUE(WaitUntil([&] { return CountFor(b->Window()) == 1; }, 3000));
    const ULONGLONG latency = Switches().back().tick - focused;
    EXPECT_LE(latency, kPollMs + kEngineAllowanceMs);
    std::printf("foreground change to switch: %llu ms\n", latency);

    ::Sleep(3 * kPollMs + 100); // three more cycles with B in front
    EXPECT_EQ(CountFor(b->Window()), 1u);
    EXPECT_EQ(Switches().size(), 2u);

    const ULONGLONG stopping = ::GetTickCount64();
    StopForegroundWatcher();
    const ULONGLONG stopMs = ::GetTickCount64() - stopping;
    EXPECT_LT(stopMs, 1500u);
    std::printf("stop took %llu ms\n", stopMs);
}

TEST_F(ForegroundWatcherTest, SurvivesSettingsAppliedWhileFocusFlips)
{
    const auto slot0 = MakeConfiguration(WatchRules(0));
    const auto slot1 = MakeConfiguration(WatchRules(1));
    StartForegroundWatcher(engine);
    ASSERT_TRUE(WaitUntil([&] { return CountFor(a->Window()) == 1; }, 3000));

    // Each window stays in front longer than a poll, so every flip is seen.
    const ULONGLONG start = ::GetTickCount64();
    ULONGLONG lastFlip = start;
    int flips = 0;
    int applies = 0;
    for (; applies < 300 || ::GetTickCount64() - start < 2600; ++applies) {
        engine.ApplySettings(applies % 2 == 0 ? *slot1 : *slot0);
        if (::GetTickCount64() - lastFlip >= 650) {
            ::SetForegroundWindow(++flips % 2 == 1 ? b->Window() : a->Window());
            lastFlip = ::GetTickCount64();
        }
        ::Sleep(2);
    }
    ASSERT_GE(flips, 3);
    ::Sleep(kPollMs + kEngineAllowanceMs);
    EXPECT_GE(Switches().size(), static_cast<std::size_t>(flips)) << applies << " applies";
    for (const Switch& s : Switches()) {
        EXPECT_TRUE(s.keys == CKeys({VK_SHIFT, VK_MENU, '1'}) || s.keys == CKeys({VK_SHIFT, VK_MENU, '2'}))
            << "keys of a slot that was never configured";
    }

    const ULONGLONG after = ::GetTickCount64();
    KeyLogProcess* next = ::GetForegroundWindow() == a->Window() ? b : a;
    ASSERT_TRUE(next->BringToFront());
    EXPECT_TRUE(WaitUntil([&] { return CountFor(next->Window(), after) == 1; }, 3000)) << "the watcher stopped";
}

TEST_F(ForegroundWatcherTest, StopIsSafeAnytimeAndEndsAllSwitching)
{
    StopForegroundWatcher(); // never started
    StartForegroundWatcher(engine);
    ASSERT_TRUE(WaitUntil([&] { return CountFor(a->Window()) == 1; }, 3000));
    StopForegroundWatcher();
    StopForegroundWatcher();

    ASSERT_TRUE(b->BringToFront());
    ::Sleep(2 * kPollMs);
    EXPECT_EQ(CountFor(b->Window()), 0u);
}

} // namespace
