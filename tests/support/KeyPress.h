#pragma once
// Keys pressed as the user would, through the system's input queue.
#include <windows.h>

namespace TolvTest {

// One key down and up with SendInput, to whatever window has the focus.
void PressKey(WORD virtualKey);

// A modifier the user holds down: VK_SHIFT, VK_CONTROL, VK_MENU or VK_LWIN (the
// left keys). Down once the system reports it held; up when released or
// destroyed, so a failed test leaves no key held on the shared desktop.
class HeldKey {
public:
    enum class Through {
        // At the X server (xdotool), as the keyboard itself: Wine keeps it held
        // when the foreground changes.
        Keyboard,
        // SendInput alone: Wine lets it go at the next activation, as the X
        // keyboard never had it down; but the window in front types by it.
        Input,
    };

    explicit HeldKey(WORD virtualKey, Through through = Through::Keyboard);
    ~HeldKey() { Release(); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

    // Whether the key came down.
    bool Held() const { return down_; }
    // Lets go, and waits until the system reports the key up.
    void Release();

private:
    WORD virtualKey_;
    Through through_;
    bool down_ = false;
};

} // namespace TolvTest
