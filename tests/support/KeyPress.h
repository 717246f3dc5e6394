#pragma once
// Keys pressed as the user would, through the system's input queue.
#include <windows.h>

namespace TolvTest {

// One key down and up with SendInput, to whatever window has the focus.
void PressKey(WORD virtualKey);

} // namespace TolvTest
