#include "configuration/SendType.h"

#include "configuration/EnumFileText.h"

namespace Configuration {

namespace {
constexpr EnumFileText<SendType> kFileTexts[] = {
    {ST_SENDINPUT_ALTFIRST, L"ST_SENDINPUT_ALTFIRST"},
    {ST_SENDINPUT_SHIFTFIRST, L"ST_SENDINPUT_SHIFTFIRST"},
    {ST_SENDINPUT_CTRLFIRST, L"ST_SENDINPUT_CTRLFIRST"},
    {ST_SETKEYBOARDSTATE, L"ST_SETKEYBOARDSTATE"},
};
} // namespace

std::wstring SendTypeToName(SendType type) { return ToFileText(kFileTexts, type); }

SendType SendTypeFromName(const std::wstring& name) { return FromFileText(kFileTexts, name, kUnrecognisedSendType); }

} // namespace Configuration
