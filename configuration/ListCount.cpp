#include "configuration/ListCount.h"

#include <boost/lexical_cast.hpp>

#include <algorithm>

#include "configuration/Section.h"

namespace Configuration {

int ReadListCount(Flib::IO::File::CIniFile& ini, const std::wstring& prefix)
{
    const int count = ini.ReadInt(kSection, prefix + L".Count", -1);
    return count < 0 ? -1 : std::min(count, kMaxListCount);
}

std::wstring ElementPrefix(const std::wstring& prefix, int index)
{
    return prefix + L"[" + boost::lexical_cast<std::wstring>(index) + L"]";
}

} // namespace Configuration
