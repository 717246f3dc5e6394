#include "configuration/CApplications.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "configuration/ListCount.h"
#include "configuration/Section.h"

namespace Configuration {

CApplications::~CApplications() = default;

CApplications& CApplications::Assign(const CApplications& other)
{
    CopyFrom(other);
    return *this;
}

CApplication* CApplications::GetAt(int index) const { return applications_[static_cast<std::size_t>(index)].get(); }

int CApplications::Count() const { return static_cast<int>(applications_.size()); }

void CApplications::Add(std::unique_ptr<CApplication> application)
{
    if (application) {
        applications_.push_back(std::move(application));
    }
}

int CApplications::Remove(const CApplication* application)
{
    const auto found = std::find_if(applications_.begin(), applications_.end(),
                                    [application](const auto& held) { return held.get() == application; });
    if (found == applications_.end()) {
        return 0;
    }
    applications_.erase(found);
    return 1;
}

int CApplications::Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix)
{
    const int count = ReadListCount(ini, prefix);
    if (count < 0) {
        return 1;
    }
    Clear();
    for (int n = 0; n < count; ++n) {
        Add(CreateItem(ini, ElementPrefix(prefix, n)));
    }
    return 1;
}

int CApplications::Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const
{
    ini.WriteInt(kSection, prefix + L".Count", Count());
    for (int n = 0; n < Count(); ++n) {
        applications_[static_cast<std::size_t>(n)]->Save(ini, ElementPrefix(prefix, n));
    }
    return 1;
}

int CApplications::Swap(int first, int second)
{
    if (first < 0 || second < 0 || first >= Count() || second >= Count()) {
        return 0;
    }
    std::swap(applications_[static_cast<std::size_t>(first)], applications_[static_cast<std::size_t>(second)]);
    return 1;
}

void CApplications::Clear() { applications_.clear(); }

void CApplications::Reset() { Clear(); }

void CApplications::CopyFrom(const CApplications& other)
{
    if (&other == this) {
        return;
    }
    Clear();
    for (const auto& application : other.applications_) {
        Add(application->Clone());
    }
}

CApplications4SwitchOnApplication::~CApplications4SwitchOnApplication() = default;

CApplication4SwitchOnApplication* CApplications4SwitchOnApplication::GetAt(int index) const
{
    return dynamic_cast<CApplication4SwitchOnApplication*>(CApplications::GetAt(index));
}

std::unique_ptr<CApplication> CApplications4SwitchOnApplication::CreateItem(Flib::IO::File::CIniFile& ini,
                                                                           const std::wstring& prefix) const
{
    auto application = std::make_unique<CApplication4SwitchOnApplication>();
    application->Load(ini, prefix);
    return application;
}

CApplications4SwitchOnArchitecture::~CApplications4SwitchOnArchitecture() = default;

CApplication4SwitchOnArchitecture* CApplications4SwitchOnArchitecture::GetAt(int index) const
{
    return dynamic_cast<CApplication4SwitchOnArchitecture*>(CApplications::GetAt(index));
}

std::unique_ptr<CApplication> CApplications4SwitchOnArchitecture::CreateItem(Flib::IO::File::CIniFile& ini,
                                                                            const std::wstring& prefix) const
{
    auto application = std::make_unique<CApplication4SwitchOnArchitecture>();
    application->Load(ini, prefix);
    return application;
}

} // namespace Configuration
