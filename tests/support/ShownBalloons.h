#pragma once
// Balloons the notification area shows right now, read from the shell's own
// windows: Wine's taskbar shows each balloon as a visible balloon tooltip of
// its process.
#include <string>
#include <vector>

namespace TolvTest {

// The texts (not the titles) of the balloons on screen.
std::vector<std::wstring> ShownBalloonTexts();

} // namespace TolvTest
