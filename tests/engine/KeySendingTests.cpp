// Hotkeys turned into key order, and pressed into a real foreground window of another process.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/KeySending.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/Wait.h"

namespace {

using Engine::BuildSendKeys;
using Engine::Press;
using Flib::IO::Input::CKeys;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;
using TolvTest::LoggedKey;

std::vector<int> Codes(const CKeys& keys)
{
    std::vector<int> codes;
    for (const auto& key : keys) {
        codes.push_back(key.GetCode());
    }
    return codes;
}

struct OrderCase {
    const char* name;
    CKeys stored;
    BYTE firstModifier;
    std::vector<int> expected;
};

void PrintTo(const OrderCase& c, std::ostream* out) { *out << c.name; }

class BuildSendKeysTest : public ::testing::TestWithParam<OrderCase> {};

TEST_P(BuildSendKeysTest, PutsTheSendTypesModifierFirst)
{
    const OrderCase& c = GetParam();
    const CKeys stored = c.stored;
    EXPECT_EQ(Codes(BuildSendKeys(c.stored, c.firstModifier)), c.expected);
    EXPECT_EQ(c.stored, stored) << "the slot's own keys must not change";
}

INSTANTIATE_TEST_SUITE_P(
    Orders, BuildSendKeysTest,
    ::testing::Values(
        OrderCase{"ShiftFirst_MovesShiftBeforeCtrl", {VK_CONTROL, VK_SHIFT, VK_F10}, VK_SHIFT,
                  {VK_SHIFT, VK_CONTROL, VK_F10}},
        OrderCase{"AltFirst_WithoutAlt_KeepsStoredOrder", {VK_CONTROL, VK_SHIFT, VK_F10}, VK_MENU,
                  {VK_CONTROL, VK_SHIFT, VK_F10}},
        OrderCase{"AltFirst_MovesAltFromTheMiddle", {VK_CONTROL, VK_MENU, 'K'}, VK_MENU, {VK_MENU, VK_CONTROL, 'K'}},
        OrderCase{"CtrlFirst_MovesCtrlFromTheEnd", {VK_MENU, VK_SHIFT, VK_CONTROL}, VK_CONTROL,
                  {VK_CONTROL, VK_MENU, VK_SHIFT}},
        OrderCase{"AltFirst_SideSpecificAltIsNotMoved", {VK_SHIFT, VK_LMENU, '1'}, VK_MENU,
                  {VK_SHIFT, VK_LMENU, '1'}},
        OrderCase{"OneKey_StaysAlone", {VK_KANJI}, VK_MENU, {VK_KANJI}},
        OrderCase{"Empty_StaysEmpty", {}, VK_SHIFT, {}}),
    [](const ::testing::TestParamInfo<OrderCase>& info) { return std::string(info.param.name); });

// One key logger in front for the whole suite: a process start costs far more than a case.
class PressTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        target = new KeyLogProcess(KeyLogBuild::Native, L"TolvTestKeyTarget", L"key target");
    }
    static void TearDownTestSuite()
    {
        delete target;
        target = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(target->Window(), nullptr) << "the key logger did not start";
        ASSERT_TRUE(target->BringToFront());
    }

    // Presses `keys`, then a marker key, and returns what arrived before the marker:
    // exactly what `keys` produced, with nothing left in flight.
    static std::vector<LoggedKey> Received(const CKeys& keys, bool& pressed)
    {
        const std::size_t before = target->Log().size();
        pressed = Press(keys);
        EXPECT_TRUE(Press(CKeys{kMarker}));
        std::vector<LoggedKey> log;
        const bool markerArrived = TolvTest::WaitUntil([&] {
            log = target->Log();
            return log.size() >= before + 2 && log.back().virtualKey == kMarker && log.back().up;
        });
        EXPECT_TRUE(markerArrived) << "the marker key never arrived";
        std::vector<LoggedKey> received(log.begin() + static_cast<std::ptrdiff_t>(before), log.end());
        EXPECT_GE(received.size(), 2u);
        if (received.size() >= 2) {
            EXPECT_EQ(received[received.size() - 2].virtualKey, kMarker);
            EXPECT_EQ(received.back().virtualKey, kMarker);
            received.resize(received.size() - 2);
        }
        return received;
    }

    static constexpr BYTE kMarker = VK_SPACE;
    static KeyLogProcess* target;
};

KeyLogProcess* PressTest::target = nullptr;

// The keys' set-1 scan codes on a PC keyboard; -1 for a key whose code depends on the layout.
int KeyboardScanCode(UINT virtualKey)
{
    switch (virtualKey) {
    case VK_SHIFT:
        return 0x2A;
    case VK_CONTROL:
        return 0x1D;
    case VK_MENU:
        return 0x38;
    case VK_F10:
        return 0x44;
    case 'K':
        return 0x25;
    case '2':
        return 0x03;
    default:
        return -1;
    }
}

struct PressCase {
    const char* name;
    CKeys stored;
    BYTE firstModifier;
    std::vector<std::pair<int, bool>> expected; // virtual key, released
};

void PrintTo(const PressCase& c, std::ostream* out) { *out << c.name; }

class PressSequenceTest : public PressTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(PressSequenceTest, ForegroundWindowReceivesDownsInOrderAndUpsInReverse)
{
    const PressCase& c = GetParam();
    bool pressed = false;
    const std::vector<LoggedKey> received = Received(BuildSendKeys(c.stored, c.firstModifier), pressed);
    EXPECT_TRUE(pressed);

    std::vector<std::pair<int, bool>> seen;
    for (const LoggedKey& key : received) {
        seen.emplace_back(static_cast<int>(key.virtualKey), key.up);
        // Programs that read the scan code (games, remote desktops, some IMEs) see the real key.
        const int scanCode = KeyboardScanCode(key.virtualKey);
        if (scanCode >= 0) {
            EXPECT_EQ(static_cast<int>(key.scanCode), scanCode) << "virtual key " << key.virtualKey;
        }
    }
    EXPECT_EQ(seen, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    SendTypes, PressSequenceTest,
    ::testing::Values(
        PressCase{"ShiftFirst_CtrlShiftF10",
                  {VK_CONTROL, VK_SHIFT, VK_F10},
                  VK_SHIFT,
                  {{VK_SHIFT, false},
                   {VK_CONTROL, false},
                   {VK_F10, false},
                   {VK_F10, true},
                   {VK_CONTROL, true},
                   {VK_SHIFT, true}}},
        PressCase{"AltFirst_CtrlShiftF10",
                  {VK_CONTROL, VK_SHIFT, VK_F10},
                  VK_MENU,
                  {{VK_CONTROL, false},
                   {VK_SHIFT, false},
                   {VK_F10, false},
                   {VK_F10, true},
                   {VK_SHIFT, true},
                   {VK_CONTROL, true}}},
        PressCase{"AltFirst_CtrlAltK",
                  {VK_CONTROL, VK_MENU, 'K'},
                  VK_MENU,
                  {{VK_MENU, false}, {VK_CONTROL, false}, {'K', false}, {'K', true}, {VK_CONTROL, true}, {VK_MENU, true}}},
        PressCase{"CtrlFirst_AltCtrl2",
                  {VK_MENU, VK_CONTROL, '2'},
                  VK_CONTROL,
                  {{VK_CONTROL, false}, {VK_MENU, false}, {'2', false}, {'2', true}, {VK_MENU, true}, {VK_CONTROL, true}}},
        PressCase{"OneKey_DownThenUp", {VK_KANJI}, VK_MENU, {{VK_KANJI, false}, {VK_KANJI, true}}},
        PressCase{"Empty_SendsNothing", {}, VK_SHIFT, {}}),
    [](const ::testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

} // namespace
