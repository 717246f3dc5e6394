#pragma once
// Which property of a target window a condition compares, and how.
#include <cstdint>
#include <string>

namespace Configuration {

// A value read from an unrecognised name in the file is -1; it is kept and
// saved back as an empty name.
enum MatchType : std::int32_t {
    MT_FILENAME = 0,
    MT_FILENAME_REGEX = 1,
    MT_FULLPATH = 2,
    MT_FULLPATH_REGEX = 3,
    MT_CLASSNAME = 4,
    MT_CLASSNAME_REGEX = 5,
    MT_WINDOWTEXT = 6,
    MT_WINDOWTEXT_REGEX = 7,
};

constexpr MatchType kUnrecognisedMatchType = static_cast<MatchType>(-1);

// "MT_FILENAME" ... "MT_WINDOWTEXT_REGEX"; empty for any other value.
std::wstring MatchTypeToName(MatchType type);
// Exact, case-sensitive comparison with the eight names; -1 for anything else.
MatchType MatchTypeFromName(const std::wstring& name);

} // namespace Configuration
