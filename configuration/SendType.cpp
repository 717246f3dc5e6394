#include "configuration/SendType.h"

namespace Configuration {

namespace {
const wchar_t* const kNames[] = {
    L"ST_SENDINPUT_ALTFIRST",
    L"ST_SENDINPUT_SHIFTFIRST",
    L"ST_SENDINPUT_CTRLFIRST",
    L"ST_SETKEYBOARDSTATE",
};
constexpr int kCount = static_cast<int>(sizeof kNames / sizeof kNames[0]);
} // namespace

std::wstring SendTypeToName(SendType type) { return (type >= 0 && type < kCount) ? kNames[type] : L""; }

SendType SendTypeFromName(const std::wstring& name)
{
    for (int value = 0; value < kCount; ++value) {
        if (name == kNames[value]) {
            return static_cast<SendType>(value);
        }
    }
    return kUnrecognisedSendType;
}

} // namespace Configuration
