#pragma once
// The name the settings pages show for each match type, from the string table.
#include "configuration/MatchType.h"

namespace Tolv {

struct MatchTypeStringId {
    Configuration::MatchType type;
    unsigned int stringId;
};
extern const MatchTypeStringId kMatchTypeStringIds[8];

// The string id of a match type's display name; 0 for a value outside the table.
unsigned int MatchTypeToStringId(Configuration::MatchType type);

} // namespace Tolv
