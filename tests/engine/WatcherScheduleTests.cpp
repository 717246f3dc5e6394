// When the watcher looks at the foreground, at chosen times: the poll, the settle
// after an event, bursts, a foreground that never settles, and the wait's rounding.
#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <vector>

#include "engine/WatcherSchedule.h"

namespace {

using Engine::WatcherSchedule;
using std::chrono::milliseconds;

constexpr milliseconds kPoll{500};
constexpr milliseconds kSettle{50};

enum class Kind { CycleRan, Event, Due, NotDue };

// What happens at `ms` after the start, with window `window` (1, 2, 3) in front.
struct Step {
    Kind kind;
    int ms;
    int window;
};

struct ScheduleCase {
    const char* name;
    std::vector<Step> steps;
};

void PrintTo(const ScheduleCase& c, std::ostream* out) { *out << c.name; }

HWND Window(int n) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(n)); }

class WatcherScheduleTest : public ::testing::TestWithParam<ScheduleCase> {};

// Times count from the clock's own start, as just after the system started.
constexpr WatcherSchedule::Clock::time_point kStart{};

TEST_P(WatcherScheduleTest, RunsACycleExactlyWhenDue)
{
    const auto start = kStart;
    WatcherSchedule schedule(kPoll, kSettle);
    for (const Step& step : GetParam().steps) {
        const auto at = start + milliseconds(step.ms);
        switch (step.kind) {
        case Kind::CycleRan:
            schedule.CycleRan(at);
            break;
        case Kind::Event:
            schedule.EventCame(Window(step.window), at);
            break;
        case Kind::Due:
        case Kind::NotDue:
            EXPECT_EQ(schedule.Due(Window(step.window), at), step.kind == Kind::Due) << "at " << step.ms << " ms";
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WatcherScheduleTest,
    ::testing::Values(
        ScheduleCase{"FirstCycle_DueAtOnce", {{Kind::Due, 0, 1}, {Kind::Due, 1, 1}, {Kind::CycleRan, 1, 1},
                                              {Kind::NotDue, 2, 1}}},
        ScheduleCase{"FirstEvent_BeforeAnyCycle_StillDueAtOnce", {{Kind::Event, 0, 2}, {Kind::Due, 0, 2}}},
        ScheduleCase{"NoEvent_PollsEveryInterval",
                     {{Kind::CycleRan, 0, 1}, {Kind::NotDue, 499, 2}, {Kind::Due, 500, 2},
                      {Kind::CycleRan, 510, 2}, {Kind::NotDue, 1009, 2}, {Kind::Due, 1010, 2}}},
        ScheduleCase{"Event_DueOnceTheWindowStayedForTheSettleTime",
                     {{Kind::CycleRan, 0, 1}, {Kind::Event, 100, 2}, {Kind::NotDue, 149, 2}, {Kind::Due, 150, 2}}},
        ScheduleCase{"Burst_EachOtherWindowStartsTheSettleTimeAgain",
                     {{Kind::CycleRan, 0, 1},
                      {Kind::Event, 100, 2},
                      {Kind::NotDue, 120, 3}, // seen without an event of its own
                      {Kind::NotDue, 160, 3},
                      {Kind::Event, 165, 2},
                      {Kind::NotDue, 214, 2},
                      {Kind::Due, 215, 2}}},
        ScheduleCase{"Event_SameWindowAgainStartsTheSettleTimeAgain",
                     {{Kind::CycleRan, 0, 1}, {Kind::Event, 100, 2}, {Kind::Event, 140, 2}, {Kind::NotDue, 150, 2},
                      {Kind::Due, 190, 2}}},
        ScheduleCase{"Settling_ThePollWaits",
                     {{Kind::CycleRan, 0, 1}, {Kind::Event, 480, 2}, {Kind::NotDue, 500, 2}, {Kind::Due, 530, 2}}},
        ScheduleCase{"NeverSettling_LookedAtOnePollIntervalAfterTheFirstEvent",
                     {{Kind::CycleRan, 0, 1},
                      {Kind::Event, 100, 2},
                      {Kind::NotDue, 140, 3},
                      {Kind::Event, 180, 2},
                      {Kind::NotDue, 220, 3},
                      {Kind::NotDue, 260, 2},
                      {Kind::NotDue, 599, 3},
                      {Kind::Due, 600, 1}}},
        ScheduleCase{"AfterTheCycle_BackToThePoll",
                     {{Kind::CycleRan, 0, 1}, {Kind::Event, 100, 2}, {Kind::Due, 150, 2}, {Kind::CycleRan, 150, 2},
                      {Kind::NotDue, 200, 3}, {Kind::NotDue, 649, 3}, {Kind::Due, 650, 3}}}));

TEST(WatcherScheduleWaitTest, WaitsUntilDueRoundedUpAndNeverBelowZero)
{
    const auto start = kStart;
    WatcherSchedule schedule(kPoll, kSettle);
    EXPECT_EQ(schedule.Remaining(start), milliseconds::zero()) << "the first cycle waits for nothing";
    schedule.CycleRan(start);
    EXPECT_EQ(schedule.Remaining(start), kPoll);
    EXPECT_EQ(schedule.Remaining(start + milliseconds(120)), milliseconds(380));

    schedule.EventCame(Window(2), start + milliseconds(200));
    EXPECT_EQ(schedule.Remaining(start + milliseconds(200)), kSettle) << "the settle time, not the poll";
    // Woken a fraction early, it waits the rest instead of spinning on zero.
    EXPECT_EQ(schedule.Remaining(start + milliseconds(249) + std::chrono::microseconds(500)), milliseconds(1));
    EXPECT_EQ(schedule.Remaining(start + milliseconds(250)), milliseconds::zero());
    EXPECT_EQ(schedule.Remaining(start + std::chrono::hours(1)), milliseconds::zero());
}

} // namespace
