#include "flib/io/CKeys.h"

namespace Flib { namespace IO { namespace Input {

CKeys::CKeys(std::initializer_list<std::uint8_t> codes)
{
    for (const std::uint8_t code : codes) {
        AddBack(CKey(code));
    }
}

}}} // namespace Flib::IO::Input
