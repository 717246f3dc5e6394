#include "configuration/CSystem.h"

#include "configuration/Section.h"

namespace Configuration {

CSystem& CSystem::Assign(const CSystem& other)
{
    CopyFrom(other);
    return *this;
}

SendType CSystem::GetType() const { return type_; }

void CSystem::SetType(SendType type) { type_ = type; }

ProcessedPolicy CSystem::GetProcessed() const { return processed_; }

void CSystem::SetProcessed(ProcessedPolicy policy) { processed_ = policy; }

// A present key with an empty value does not take the default: it reads as unrecognised.
int CSystem::Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix)
{
    std::wstring name;
    ini.ReadString(kSection, prefix + L".Type", SendTypeToName(type_), name);
    type_ = SendTypeFromName(name);
    ini.ReadString(kSection, prefix + L".Processed", ProcessedPolicyToName(processed_), name);
    processed_ = ProcessedPolicyFromName(name);
    return 1;
}

int CSystem::Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const
{
    ini.WriteString(kSection, prefix + L".Type", SendTypeToName(type_));
    ini.WriteString(kSection, prefix + L".Processed", ProcessedPolicyToName(processed_));
    return 1;
}

void CSystem::CopyFrom(const CSystem& other)
{
    Release();
    type_ = other.type_;
    processed_ = other.processed_;
}

// Nothing is owned.
void CSystem::Release() {}

void CSystem::Reset() { Release(); }

} // namespace Configuration
