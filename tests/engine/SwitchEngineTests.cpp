// The engine on real windows: what it remembers, the keys that reach the target,
// and the balloons it hands on.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/SwitchEngine.h"
#include "tests/engine/EngineTestRules.h"
#include "tests/support/ForegroundEvent.h"
#include "tests/support/KeyLoggers.h"
#include "tests/support/Wait.h"

namespace {

using namespace Configuration;
using Engine::Balloon;
using Engine::SwitchEngine;
using EngineTest::MakeConfiguration;
using EngineTest::OwnWindows;
using EngineTest::Rules;
using Flib::IO::Input::CKeys;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;
using TolvTest::LoggedKey;

const HINSTANCE kStrings = ::GetModuleHandleW(nullptr);

// Key sending stood in for by a recorder: the window in front when the keys
// would have gone, and the keys in the order they would have been pressed.
class RecordingEngineTest : public ::testing::Test {
protected:
    struct Sent {
        HWND foreground;
        CKeys keys;
    };

    void Use(const Rules& rules) { engine.ApplySettings(*MakeConfiguration(rules)); }

    std::vector<HWND> SentTo() const
    {
        std::vector<HWND> windows;
        for (const Sent& s : sent) {
            windows.push_back(s.foreground);
        }
        return windows;
    }

    OwnWindows windows{L"TolvEngineWindow"};
    CConfigurations live;
    std::vector<Balloon> balloons;
    std::vector<Sent> sent;
    bool allEventsInserted = true;
    SwitchEngine engine{live, kStrings, [this](Balloon balloon) { balloons.push_back(std::move(balloon)); },
                        [this](const CKeys& keys) {
                            sent.push_back({::GetForegroundWindow(), keys});
                            return allEventsInserted;
                        }};
};

struct MemoryCase {
    const char* name;
    ProcessedPolicy policy;
    const char* focused;  // windows of this process, in the order they come to the front
    const char* switched; // the ones that get keys
};

void PrintTo(const MemoryCase& c, std::ostream* out) { *out << c.name; }

class ProcessedMemoryTest : public RecordingEngineTest, public ::testing::WithParamInterface<MemoryCase> {};

TEST_P(ProcessedMemoryTest, SwitchesOnlyWhatThePolicyHasNotSeen)
{
    const MemoryCase& c = GetParam();
    Rules rules;
    rules.processed = c.policy;
    rules.applications = {{MT_CLASSNAME, L"TolvEngineWindow", 0}};
    Use(rules);
    const HWND a = windows.Create(L"A");
    const HWND b = windows.Create(L"B");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    const auto window = [&](char name) { return name == 'A' ? a : b; };

    std::vector<HWND> expected;
    for (const char* name = c.switched; *name != '\0'; ++name) {
        expected.push_back(window(*name));
    }
    for (const char* name = c.focused; *name != '\0'; ++name) {
        engine.SwitchForWindow(window(*name));
    }
    EXPECT_EQ(SentTo(), expected) << "the engine brings each switched window to the front before the keys";
}

INSTANTIATE_TEST_SUITE_P(
    Policies, ProcessedMemoryTest,
    ::testing::Values(MemoryCase{"WindowHandle_ABA_SwitchesAOnce", PP_WINDOWHANDLE, "ABA", "AB"},
                      MemoryCase{"ProcessId_TwoWindowsOfOneProcess_SwitchOnce", PP_PROCESSID, "ABA", "A"},
                      MemoryCase{"None_SwitchesEveryTime", PP_NONE, "ABAA", "ABAA"},
                      MemoryCase{"Unrecognised_RemembersNothing", kUnrecognisedProcessedPolicy, "AA", "AA"}),
    [](const ::testing::TestParamInfo<MemoryCase>& info) { return std::string(info.param.name); });

TEST_F(RecordingEngineTest, TargetWithoutARuleStaysRememberedUntilSettingsAreApplied)
{
    Rules rules;
    rules.processed = PP_WINDOWHANDLE;
    rules.applications = {{MT_WINDOWTEXT, L"A", 0}};
    Use(rules);
    const HWND a = windows.Create(L"A");
    const HWND c = windows.Create(L"C");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(c, nullptr);

    engine.SwitchForWindow(a);
    engine.SwitchForWindow(c); // no rule, but seen
    EXPECT_EQ(SentTo(), std::vector<HWND>({a}));

    // A rule for C added to the caller's settings reaches no decision until they are applied.
    live.GetSwitchOnApplication()->GetApplications()->Add(
        std::make_unique<CApplication4SwitchOnApplication>(MT_WINDOWTEXT, L"C", 1));
    engine.SwitchForWindow(a);
    engine.SwitchForWindow(c);
    EXPECT_EQ(SentTo(), std::vector<HWND>({a}));

    rules.applications.push_back({MT_WINDOWTEXT, L"C", 1});
    Use(rules);
    engine.SwitchForWindow(a);
    engine.SwitchForWindow(c);
    EXPECT_EQ(SentTo(), std::vector<HWND>({a, a, c}));
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[2].keys, CKeys({VK_SHIFT, VK_MENU, '2'})) << "C's own slot, Shift first";
}

TEST_F(RecordingEngineTest, PausedEngineSendsShowsAndRemembersNothing)
{
    Rules rules;
    rules.processed = PP_WINDOWHANDLE;
    rules.applications = {{MT_CLASSNAME, L"TolvEngineWindow", 0}};
    Use(rules); // notifications on: every switch would show a balloon
    const HWND a = windows.Create(L"A");
    const HWND b = windows.Create(L"B");
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);

    engine.SetPaused(true);
    EXPECT_TRUE(engine.IsPaused());
    engine.SwitchForWindow(a);
    engine.SwitchForWindow(b);
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(balloons.empty());

    // Neither was remembered while paused: both are switched once the pause ends.
    engine.SetPaused(false);
    engine.SwitchForWindow(a);
    engine.SwitchForWindow(b);
    engine.SwitchForWindow(a);
    EXPECT_EQ(SentTo(), std::vector<HWND>({a, b}));
    EXPECT_EQ(balloons.size(), 2u);
}

struct BalloonCase {
    const char* name;
    SendType sendType;
    bool allEventsInserted;
    int notifyUse;
    bool titleDetail; // the window title line, and no other detail
    bool ruleMatches;
    std::size_t keysSent;
    const wchar_t* title; // null: no balloon
    const wchar_t* text;
};

void PrintTo(const BalloonCase& c, std::ostream* out) { *out << c.name; }

class BalloonTest : public RecordingEngineTest, public ::testing::WithParamInterface<BalloonCase> {};

// Twice in a row under the window policy: a failed switch leaves the window remembered too.
TEST_P(BalloonTest, ShowsWhatHappenedOnceForAWindow)
{
    const BalloonCase& c = GetParam();
    Rules rules;
    rules.processed = PP_WINDOWHANDLE;
    rules.sendType = c.sendType;
    if (c.ruleMatches) {
        rules.applications = {{MT_WINDOWTEXT, L"お知らせ窓", 2}};
    }
    auto configuration = MakeConfiguration(rules);
    CNotify& notify = *configuration->GetNotify();
    notify.SetUse(c.notifyUse);
    notify.SetShowProcessId(0);
    notify.SetShowSubSystem(0);
    notify.SetShowFileName(0);
    notify.SetShowFullPath(0);
    notify.SetShowWindowHandle(0);
    notify.SetShowClassName(0);
    notify.SetShowWindowText(c.titleDetail);
    engine.ApplySettings(*configuration);
    allEventsInserted = c.allEventsInserted;
    const HWND window = windows.Create(L"お知らせ窓");
    ASSERT_NE(window, nullptr);

    engine.SwitchForWindow(window);
    engine.SwitchForWindow(window);

    EXPECT_EQ(sent.size(), c.keysSent);
    if (c.title == nullptr) {
        EXPECT_TRUE(balloons.empty()) << "shown: " << balloons.size();
        return;
    }
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_EQ(balloons[0].title, c.title);
    EXPECT_EQ(balloons[0].text, c.text);
}

#define TOLV_KEYS_NOT_SENT L"キー入力を送信できませんでした\n管理者として実行されているウィンドウには切り替えられない場合があります"
#define TOLV_NO_METHOD L"切り替え方法が選択されていません\n設定を見直してください"

INSTANTIATE_TEST_SUITE_P(
    Outcomes, BalloonTest,
    ::testing::Values(
        BalloonCase{"AllKeysInserted_NamesTheIme", ST_SENDINPUT_SHIFTFIRST, true, 1, true, true, 1,
                    L"IMEを『IME-3』に切り替えました", L"【ウィンドウ タイトル】お知らせ窓"},
        BalloonCase{"KeysRefused_SaysSoWithTheDetails", ST_SENDINPUT_ALTFIRST, false, 1, true, true, 1,
                    L"IMEの切り替えに失敗しました", TOLV_KEYS_NOT_SENT L"\n【ウィンドウ タイトル】お知らせ窓"},
        BalloonCase{"KeysRefused_WithoutDetailItems", ST_SENDINPUT_CTRLFIRST, false, 1, false, true, 1,
                    L"IMEの切り替えに失敗しました", TOLV_KEYS_NOT_SENT},
        BalloonCase{"AllKeysInserted_NotificationsOff", ST_SENDINPUT_SHIFTFIRST, true, 0, true, true, 1, nullptr,
                    nullptr},
        BalloonCase{"KeysRefused_NotificationsOff", ST_SENDINPUT_SHIFTFIRST, false, 0, true, true, 1, nullptr,
                    nullptr},
        BalloonCase{"SetKeyboardState_SendsNothingAndShowsEvenWhenOff", ST_SETKEYBOARDSTATE, true, 0, true, true, 0,
                    L"IMEの切り替えに失敗しました", TOLV_NO_METHOD},
        BalloonCase{"UnrecognisedSendType_LikeSetKeyboardState", kUnrecognisedSendType, true, 1, true, true, 0,
                    L"IMEの切り替えに失敗しました", TOLV_NO_METHOD},
        BalloonCase{"NoSlotChosen_NothingAtAll", ST_SETKEYBOARDSTATE, true, 1, true, false, 0, nullptr, nullptr}),
    [](const ::testing::TestParamInfo<BalloonCase>& info) { return std::string(info.param.name); });

// Real keys: the key logger must receive the chosen slot's hotkey.
struct KeysCase {
    const char* name;
    KeyLogBuild build;
    SendType sendType;
    bool byArchitecture; // the 32/64-bit rule chooses the slot, not a per-application entry
    int slot;
    CKeys stored;
    std::vector<std::pair<int, bool>> expected; // virtual key, released
};

void PrintTo(const KeysCase& c, std::ostream* out) { *out << c.name; }

class EngineKeysTest : public TolvTest::WithKeyLoggers<::testing::TestWithParam<KeysCase>> {
protected:
    static constexpr BYTE kMarker = VK_SPACE;
};

TEST_P(EngineKeysTest, TargetInFrontReceivesTheSlotsHotkeyWithTheModifierFirst)
{
    const KeysCase& c = GetParam();
    KeyLogProcess* target = Logger(c.build);
    if (target == nullptr) {
        GTEST_SKIP() << TolvTest::kNo32BitKeyLogger;
    }
    ASSERT_NE(target->Window(), nullptr);

    Rules rules;
    rules.sendType = c.sendType;
    if (c.byArchitecture) {
        rules.architectureUse = 1;
        rules.imeNumber32 = c.slot;
        rules.imeNumber64 = (c.slot + 1) % rules.imeCount; // keeps its default Alt+Shift hotkey
    } else {
        rules.applications = {{MT_CLASSNAME_REGEX, L"TolvKeyLog.*", c.slot}};
    }
    auto configuration = MakeConfiguration(rules);
    configuration->GetImes()->GetAt(c.slot)->SetKeys(c.stored);
    CConfigurations live;
    SwitchEngine engine(live, kStrings, [](Balloon) {});
    engine.ApplySettings(*configuration);

    // As the watcher hands it over: the target is already in front. (Another process's
    // window takes the foreground asynchronously under Wine, so keys sent right after
    // SetForegroundWindow on a window behind could still reach the old one.)
    ASSERT_TRUE(TolvTest::SettleInFront(target->Window(), 100));
    const std::size_t before = target->Log().size();
    engine.SwitchForWindow(target->Window());
    ASSERT_TRUE(Engine::Press(CKeys{kMarker}));

    std::vector<LoggedKey> log;
    ASSERT_TRUE(TolvTest::WaitUntil([&] {
        log = target->Log();
        return log.size() >= before + 2 && log.back().virtualKey == kMarker && log.back().up;
    })) << "the marker key never arrived";
    std::vector<std::pair<int, bool>> received;
    for (std::size_t n = before; n + 2 < log.size(); ++n) {
        received.emplace_back(static_cast<int>(log[n].virtualKey), log[n].up);
    }
    EXPECT_EQ(received, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    SendTypes, EngineKeysTest,
    ::testing::Values(
        KeysCase{"ShiftFirst_PerApplicationSlot",
                 KeyLogBuild::Native,
                 ST_SENDINPUT_SHIFTFIRST,
                 false,
                 2,
                 {VK_CONTROL, VK_SHIFT, VK_F10},
                 {{VK_SHIFT, false},
                  {VK_CONTROL, false},
                  {VK_F10, false},
                  {VK_F10, true},
                  {VK_CONTROL, true},
                  {VK_SHIFT, true}}},
        KeysCase{"AltFirst_PerApplicationSlot",
                 KeyLogBuild::Native,
                 ST_SENDINPUT_ALTFIRST,
                 false,
                 0,
                 {VK_CONTROL, VK_MENU, 'K'},
                 {{VK_MENU, false}, {VK_CONTROL, false}, {'K', false}, {'K', true}, {VK_CONTROL, true}, {VK_MENU, true}}},
        KeysCase{"CtrlFirst_PerApplicationSlot",
                 KeyLogBuild::Native,
                 ST_SENDINPUT_CTRLFIRST,
                 false,
                 3,
                 {VK_SHIFT, VK_CONTROL, VK_F9},
                 {{VK_CONTROL, false}, {VK_SHIFT, false}, {VK_F9, false}, {VK_F9, true}, {VK_SHIFT, true}, {VK_CONTROL, true}}},
        KeysCase{"ShiftFirst_Wow64ByArchitecture",
                 KeyLogBuild::Wow64,
                 ST_SENDINPUT_SHIFTFIRST,
                 true,
                 1,
                 {VK_MENU, VK_SHIFT, '2'},
                 {{VK_SHIFT, false}, {VK_MENU, false}, {'2', false}, {'2', true}, {VK_MENU, true}, {VK_SHIFT, true}}}),
    [](const ::testing::TestParamInfo<KeysCase>& info) { return std::string(info.param.name); });

} // namespace
