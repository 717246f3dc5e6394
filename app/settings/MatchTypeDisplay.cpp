#include "app/settings/MatchTypeDisplay.h"

#include "resources/ResourceIds.h"

namespace Tolv {

using namespace Configuration;

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

unsigned int MatchTypeToStringId(MatchType type)
{
    for (const MatchTypeStringId& entry : kMatchTypeStringIds) {
        if (entry.type == type) {
            return entry.stringId;
        }
    }
    return 0;
}

} // namespace Tolv
