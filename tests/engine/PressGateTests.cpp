// Whether a decided hotkey is pressed now, waits for the user's keys, or is dropped.
#include <gtest/gtest.h>

#include <string>

#include "engine/PressGate.h"

namespace {

using Engine::HeldModifiers;
using Engine::NextPressStep;
using Engine::PressMoment;
using Engine::PressStep;

const HWND kDecided = reinterpret_cast<HWND>(0x1234);
const HWND kOther = reinterpret_cast<HWND>(0x5678);

HeldModifiers Held(const char* keys)
{
    const std::string k(keys);
    HeldModifiers held;
    held.shift = k.find('S') != std::string::npos;
    held.control = k.find('C') != std::string::npos;
    held.alt = k.find('A') != std::string::npos;
    held.win = k.find('W') != std::string::npos;
    return held;
}

TEST(NextPressStep, WaitsWhileAnyModifierIsHeldAndDropsWhenThePressCannotHappenWhereMeant)
{
    const struct {
        const char* name;
        const char* held; // S(hift) C(trl) A(lt) W(in)
        HWND foreground;
        bool paused;
        bool stopping;
        PressStep expected;
    } cases[] = {
        {"nothing held, decided window in front", "", kDecided, false, false, PressStep::Press},
        {"Shift held", "S", kDecided, false, false, PressStep::Wait},
        {"Ctrl held", "C", kDecided, false, false, PressStep::Wait},
        {"Alt held", "A", kDecided, false, false, PressStep::Wait},
        {"Win held", "W", kDecided, false, false, PressStep::Wait},
        {"Win and Shift held", "WS", kDecided, false, false, PressStep::Wait},
        {"another window in front, nothing held", "", kOther, false, false, PressStep::Drop},
        {"another window in front, Ctrl held", "C", kOther, false, false, PressStep::Drop},
        {"no window in front", "", nullptr, false, false, PressStep::Drop},
        {"paused while Win is held", "W", kDecided, true, false, PressStep::Drop},
        {"paused, nothing held", "", kDecided, true, false, PressStep::Drop},
        {"stopping while Shift is held", "S", kDecided, false, true, PressStep::Drop},
        {"stopping, nothing held", "", kDecided, false, true, PressStep::Drop},
    };
    for (const auto& c : cases) {
        PressMoment moment;
        moment.decidedFor = kDecided;
        moment.foreground = c.foreground;
        moment.held = Held(c.held);
        moment.paused = c.paused;
        moment.stopping = c.stopping;
        EXPECT_EQ(NextPressStep(moment), c.expected) << c.name;
    }
}

} // namespace
