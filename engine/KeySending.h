#pragma once
// Turning an IME slot's hotkey into synthetic keyboard input.
#include <cstdint>

#include "flib/io/CKeys.h"

namespace Engine {

// The stored keys in stored order, except that every key equal to `firstModifier`
// (exact code: VK_LMENU is not VK_MENU) is moved to the front.
Flib::IO::Input::CKeys BuildSendKeys(const Flib::IO::Input::CKeys& stored, std::uint8_t firstModifier);

// Presses the combination in one SendInput call: downs first to last, ups last to
// first. True when the system inserted every event; an empty combination sends
// nothing and is true.
bool Press(const Flib::IO::Input::CKeys& keys);

} // namespace Engine
