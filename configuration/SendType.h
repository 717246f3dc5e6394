#pragma once
// How the IME hotkey is sent: which modifier goes first, or no sending at all.
#include <cstdint>
#include <string>

namespace Configuration {

// An unrecognised name in the file reads as 4, which sends nothing like ST_SETKEYBOARDSTATE.
enum SendType : std::int32_t {
    ST_SENDINPUT_ALTFIRST = 0,
    ST_SENDINPUT_SHIFTFIRST = 1,
    ST_SENDINPUT_CTRLFIRST = 2,
    ST_SETKEYBOARDSTATE = 3,
};

constexpr SendType kUnrecognisedSendType = static_cast<SendType>(4);

// The name in the file; empty for a value outside 0 to 3.
std::wstring SendTypeToName(SendType type);
// Exact, case-sensitive comparison with the four names; 4 for anything else.
SendType SendTypeFromName(const std::wstring& name);

} // namespace Configuration
