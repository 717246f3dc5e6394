#include "configuration/CIme.h"

#include <boost/lexical_cast.hpp>

#include <algorithm>
#include <cstdint>

#include "configuration/ListCount.h"
#include "configuration/Section.h"

namespace Configuration {

using Flib::IO::Input::CKey;
using Flib::IO::Input::CKeys;

namespace {
std::wstring KeyName(const std::wstring& prefix, int index)
{
    return prefix + L".SendKeys[" + boost::lexical_cast<std::wstring>(index) + L"]";
}
} // namespace

CIme::CIme(const std::wstring& name, const CKeys& keys) : name_(name), keys_(keys) {}

const std::wstring& CIme::GetName() const { return name_; }

void CIme::SetName(const std::wstring& name) { name_ = name; }

const CKeys& CIme::GetKeys() const { return keys_; }

void CIme::SetKeys(const CKeys& keys) { keys_ = keys; }

int CIme::Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix)
{
    // A negative count reads as no keys; a huge one is cut like every list count.
    const int count = std::clamp(ini.ReadInt(kSection, prefix + L".SendKeys.Count", 0), 0, kMaxListCount);
    CKeys keys;
    for (int k = 0; k < count; ++k) {
        // Only the low byte is a virtual-key code; a 0 there is no key at all.
        const auto code = static_cast<std::uint8_t>(ini.ReadInt(kSection, KeyName(prefix, k), 0) & 0xFF);
        if (code != 0) {
            keys.AddBack(CKey(code));
        }
    }
    std::wstring name;
    if (ini.ReadString(kSection, prefix + L".Name", L"", name) == 0) {
        return 0;
    }
    name_ = name;
    keys_ = keys;
    return 1;
}

int CIme::Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const
{
    ini.WriteString(kSection, prefix + L".Name", name_);
    ini.WriteInt(kSection, prefix + L".SendKeys.Count", static_cast<int>(keys_.Count()));
    int k = 0;
    for (const CKey& key : keys_) {
        ini.WriteInt(kSection, KeyName(prefix, k++), key.GetCode());
    }
    return 1;
}

} // namespace Configuration
