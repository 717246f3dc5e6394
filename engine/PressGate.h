#pragma once
// Whether a decided hotkey may be pressed now: never into keys the user is
// holding, and only into the window it was decided for.
#include <windows.h>

#include <chrono>

namespace Engine {

// The keys that would combine with an injected hotkey: Win+Ctrl+Shift+1 runs a
// taskbar program as administrator, and a Shift key-up ends the user's own Shift.
struct HeldModifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
    bool win = false; // either Win key

    bool Any() const { return shift || control || alt || win; }
};

// The physical state now (GetAsyncKeyState), both sides of each key.
HeldModifiers ReadHeldModifiers();

enum class PressStep {
    Press, // nothing held, the decided window in front
    Wait,  // a modifier is held: look again shortly
    Drop,  // the press can no longer happen where it was meant to
};

struct PressMoment {
    HWND decidedFor = nullptr;
    HWND foreground = nullptr;
    HeldModifiers held;
    bool paused = false;
    bool stopping = false;
};

// A stop, a pause or another window in front drops the press, whatever is held;
// otherwise it waits for as long as any modifier is held.
PressStep NextPressStep(const PressMoment& moment);

// How often a waiting press looks at the keys again: a release is answered
// within this, and a key held for long costs some 60 wake-ups a second.
constexpr std::chrono::milliseconds kHeldKeyRecheck{15};

} // namespace Engine
