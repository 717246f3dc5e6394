#include "engine/PressGate.h"

namespace Engine {

namespace {

bool IsDown(int virtualKey) { return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

} // namespace

HeldModifiers ReadHeldModifiers()
{
    HeldModifiers held;
    // The generic codes cover both keys of a pair; the Win keys have none.
    held.shift = IsDown(VK_SHIFT);
    held.control = IsDown(VK_CONTROL);
    held.alt = IsDown(VK_MENU);
    held.win = IsDown(VK_LWIN) || IsDown(VK_RWIN);
    return held;
}

PressStep NextPressStep(const PressMoment& moment)
{
    if (moment.stopping || moment.paused || moment.foreground != moment.decidedFor) {
        return PressStep::Drop;
    }
    return moment.held.Any() ? PressStep::Wait : PressStep::Press;
}

} // namespace Engine
