#include "configuration/MatchType.h"

#include "resources/ResourceIds.h"

namespace Configuration {

namespace {
const wchar_t* const kNames[] = {
    L"MT_FILENAME",  L"MT_FILENAME_REGEX",  L"MT_FULLPATH",   L"MT_FULLPATH_REGEX",
    L"MT_CLASSNAME", L"MT_CLASSNAME_REGEX", L"MT_WINDOWTEXT", L"MT_WINDOWTEXT_REGEX",
};
constexpr int kCount = static_cast<int>(sizeof kNames / sizeof kNames[0]);
} // namespace

const MatchTypeStringId kMatchTypeStringIds[8] = {
    {MT_FILENAME, IDS_MATCHTYPE_FILENAME},
    {MT_FILENAME_REGEX, IDS_MATCHTYPE_FILENAME_REGEX},
    {MT_FULLPATH, IDS_MATCHTYPE_FULLPATH},
    {MT_FULLPATH_REGEX, IDS_MATCHTYPE_FULLPATH_REGEX},
    {MT_CLASSNAME, IDS_MATCHTYPE_CLASSNAME},
    {MT_CLASSNAME_REGEX, IDS_MATCHTYPE_CLASSNAME_REGEX},
    {MT_WINDOWTEXT, IDS_MATCHTYPE_WINDOWTEXT},
    {MT_WINDOWTEXT_REGEX, IDS_MATCHTYPE_WINDOWTEXT_REGEX},
};

std::wstring MatchTypeToName(MatchType type)
{
    return (type >= 0 && type < kCount) ? kNames[type] : L"";
}

MatchType MatchTypeFromName(const std::wstring& name)
{
    for (int value = 0; value < kCount; ++value) {
        if (name == kNames[value]) {
            return static_cast<MatchType>(value);
        }
    }
    return kUnrecognisedMatchType;
}

unsigned int MatchTypeToStringId(MatchType type)
{
    for (const MatchTypeStringId& entry : kMatchTypeStringIds) {
        if (entry.type == type) {
            return entry.stringId;
        }
    }
    return 0;
}

} // namespace Configuration
