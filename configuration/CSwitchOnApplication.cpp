#include "configuration/CSwitchOnApplication.h"

#include <utility>

namespace Configuration {

namespace {
const wchar_t* const kListPrefix = L"Application";
}

CSwitchOnApplication::CSwitchOnApplication() : applications_(std::make_unique<CApplications4SwitchOnApplication>()) {}

CSwitchOnApplication::~CSwitchOnApplication() { Release(); }

CSwitchOnApplication& CSwitchOnApplication::Assign(const CSwitchOnApplication& other)
{
    CopyFrom(other);
    return *this;
}

CApplications4SwitchOnApplication* CSwitchOnApplication::GetApplications() const { return applications_.get(); }

int CSwitchOnApplication::Load(Flib::IO::File::CIniFile& ini, const std::wstring& /*prefix*/)
{
    applications_->Load(ini, kListPrefix);
    return 1;
}

int CSwitchOnApplication::Save(Flib::IO::File::CIniFile& ini, const std::wstring& /*prefix*/) const
{
    applications_->Save(ini, kListPrefix);
    return 1;
}

void CSwitchOnApplication::Release() { applications_.reset(); }

// Leaves an empty list rather than none: every reader may rely on GetApplications.
void CSwitchOnApplication::Reset()
{
    Release();
    applications_ = std::make_unique<CApplications4SwitchOnApplication>();
}

void CSwitchOnApplication::CopyFrom(const CSwitchOnApplication& other)
{
    // The copy is made before the old list goes, so copying from itself is harmless.
    auto copy = std::make_unique<CApplications4SwitchOnApplication>();
    copy->CopyFrom(*other.applications_);
    applications_ = std::move(copy);
}

} // namespace Configuration
