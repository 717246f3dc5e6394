#include "configuration/MatchType.h"

#include "configuration/EnumFileText.h"

namespace Configuration {

namespace {
constexpr EnumFileText<MatchType> kFileTexts[] = {
    {MT_FILENAME, L"MT_FILENAME"},
    {MT_FILENAME_REGEX, L"MT_FILENAME_REGEX"},
    {MT_FULLPATH, L"MT_FULLPATH"},
    {MT_FULLPATH_REGEX, L"MT_FULLPATH_REGEX"},
    {MT_CLASSNAME, L"MT_CLASSNAME"},
    {MT_CLASSNAME_REGEX, L"MT_CLASSNAME_REGEX"},
    {MT_WINDOWTEXT, L"MT_WINDOWTEXT"},
    {MT_WINDOWTEXT_REGEX, L"MT_WINDOWTEXT_REGEX"},
};
} // namespace

std::wstring MatchTypeToName(MatchType type) { return ToFileText(kFileTexts, type); }

MatchType MatchTypeFromName(const std::wstring& name)
{
    return FromFileText(kFileTexts, name, kUnrecognisedMatchType);
}

} // namespace Configuration
