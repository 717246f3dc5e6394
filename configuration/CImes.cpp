#include "configuration/CImes.h"

#include <cstdint>
#include <utility>

#include "configuration/ListCount.h"
#include "configuration/Section.h"

namespace Configuration {

using Flib::IO::Input::CKeys;

CImes::CImes()
{
    const std::uint8_t digits[] = {0x31, 0x32, 0x33, 0x34};
    for (int n = 0; n < 4; ++n) {
        Add(std::make_unique<CIme>(L"IME-" + std::to_wstring(n + 1), CKeys{0x12, 0x10, digits[n]}));
    }
}

CImes::~CImes() = default;

CImes& CImes::Assign(const CImes& other)
{
    CopyFrom(other);
    return *this;
}

CIme* CImes::GetAt(int index) const { return imes_[static_cast<std::size_t>(index)].get(); }

int CImes::Count() const { return static_cast<int>(imes_.size()); }

int CImes::Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix)
{
    const int count = ReadListCount(ini, prefix);
    if (count < 0) {
        return 0;
    }
    Clear();
    for (int n = 0; n < count; ++n) {
        if (std::unique_ptr<CIme> ime = CreateItem(ini, ElementPrefix(prefix, n))) {
            Add(std::move(ime));
        }
    }
    return 1;
}

int CImes::Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const
{
    ini.WriteInt(kSection, prefix + L".Count", Count());
    for (int n = 0; n < Count(); ++n) {
        GetAt(n)->Save(ini, ElementPrefix(prefix, n));
    }
    return 1;
}

void CImes::Add(std::unique_ptr<CIme> ime)
{
    if (ime) {
        imes_.push_back(std::move(ime));
    }
}

void CImes::Clear() { imes_.clear(); }

void CImes::Reset() { Clear(); }

void CImes::CopyFrom(const CImes& other)
{
    if (&other == this) {
        return;
    }
    Clear();
    for (const auto& ime : other.imes_) {
        Add(std::make_unique<CIme>(ime->GetName(), ime->GetKeys()));
    }
}

std::unique_ptr<CIme> CImes::CreateItem(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const
{
    auto ime = std::make_unique<CIme>();
    if (!ime->Load(ini, prefix)) {
        return nullptr;
    }
    return ime;
}

} // namespace Configuration
