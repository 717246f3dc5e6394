#include "configuration/CConfigurations.h"

#include <utility>

namespace Configuration {

CConfigurations::CConfigurations()
    : imes_(std::make_unique<CImes>()),
      system_(std::make_unique<CSystem>()),
      switchOnApplication_(std::make_unique<CSwitchOnApplication>()),
      switchOnArchitecture_(std::make_unique<CSwitchOnArchitecture>()),
      notify_(std::make_unique<CNotify>())
{
}

CConfigurations::~CConfigurations()
{
    imes_.reset();
    system_.reset();
    switchOnApplication_.reset();
    switchOnArchitecture_.reset();
    notify_.reset();
}

CConfigurations& CConfigurations::Assign(const CConfigurations& other)
{
    // All copies exist before any group is replaced: assigning from itself
    // keeps the values, and a failed allocation leaves the groups as they were.
    auto imes = std::make_unique<CImes>();
    imes->CopyFrom(*other.imes_);
    auto system = std::make_unique<CSystem>();
    system->CopyFrom(*other.system_);
    auto switchOnApplication = std::make_unique<CSwitchOnApplication>();
    switchOnApplication->CopyFrom(*other.switchOnApplication_);
    auto switchOnArchitecture = std::make_unique<CSwitchOnArchitecture>();
    switchOnArchitecture->CopyFrom(*other.switchOnArchitecture_);
    auto notify = std::make_unique<CNotify>(*other.notify_);

    imes_ = std::move(imes);
    system_ = std::move(system);
    switchOnApplication_ = std::move(switchOnApplication);
    switchOnArchitecture_ = std::move(switchOnArchitecture);
    notify_ = std::move(notify);
    return *this;
}

CImes* CConfigurations::GetImes() const { return imes_.get(); }
CSystem* CConfigurations::GetSystem() const { return system_.get(); }
CSwitchOnApplication* CConfigurations::GetSwitchOnApplication() const { return switchOnApplication_.get(); }
CSwitchOnArchitecture* CConfigurations::GetSwitchOnArchitecture() const { return switchOnArchitecture_.get(); }
CNotify* CConfigurations::GetNotify() const { return notify_.get(); }

int CConfigurations::Load(Flib::IO::File::CIniFile& ini)
{
    imes_->Load(ini, L"Ime");
    system_->Load(ini, L"ImeSwitcher");
    switchOnApplication_->Load(ini, L"SwitchOnApplication");
    switchOnArchitecture_->Load(ini, L"ArchitectureSwitching");
    notify_->Load(ini, L"Notify");
    return 1;
}

int CConfigurations::Save(Flib::IO::File::CIniFile& ini) const
{
    imes_->Save(ini, L"Ime");
    system_->Save(ini, L"ImeSwitcher");
    switchOnApplication_->Save(ini, L"SwitchOnApplication");
    switchOnArchitecture_->Save(ini, L"ArchitectureSwitching");
    notify_->Save(ini, L"Notify");
    return 1;
}

} // namespace Configuration
