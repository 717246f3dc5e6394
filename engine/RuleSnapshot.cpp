#include "engine/RuleSnapshot.h"

namespace Engine {

RuleSnapshot::RuleSnapshot(const Configuration::CConfigurations& settings)
{
    settings_.Assign(settings);
    applications_ = CompiledConditions(*settings_.GetSwitchOnApplication()->GetApplications());
    exclusions_ = CompiledConditions(*settings_.GetSwitchOnArchitecture()->GetIgnoreApplications());
}

} // namespace Engine
