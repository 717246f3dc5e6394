#include "engine/SwitchDecision.h"

#include <windows.h>

#include "engine/ConditionMatching.h"

namespace Engine {

using namespace Configuration;

bool AlreadyHandled(ProcessedPolicy policy, const TargetWindowInfo& target, Processed::CProcessedWindow& windows,
                    Processed::CProcessedProcess& processes)
{
    switch (policy) {
    case PP_WINDOWHANDLE:
        return windows.TestAndAdd(target);
    case PP_PROCESSID:
        return processes.TestAndAdd(target);
    default:
        return false;
    }
}

void ForgetHandled(ProcessedPolicy policy, const TargetWindowInfo& target, Processed::CProcessedWindow& windows,
                   Processed::CProcessedProcess& processes)
{
    switch (policy) {
    case PP_WINDOWHANDLE:
        windows.Forget(target);
        break;
    case PP_PROCESSID:
        processes.Forget(target);
        break;
    default:
        break;
    }
}

int ChooseImeNumber(const TargetWindowInfo& target, const RuleSnapshot& rules, bool is64BitSystem)
{
    const CConfigurations& configuration = rules.Settings();
    int chosen = -1;
    const CSwitchOnArchitecture& architecture = *configuration.GetSwitchOnArchitecture();
    if (is64BitSystem && architecture.GetUse()) {
        const int candidate = target.isWow64 ? architecture.Get32BitImeNumber() : architecture.Get64BitImeNumber();
        chosen = rules.ArchitectureExclusions().FindMatch(target) >= 0 ? -1 : candidate;
    }
    const CApplications4SwitchOnApplication& applications = *configuration.GetSwitchOnApplication()->GetApplications();
    const int entry = rules.Applications().FindMatch(target);
    if (entry >= 0) {
        // Whatever the 32/64-bit rule chose: an entry's -1 is how a user says "leave this one alone".
        chosen = applications.GetAt(entry)->GetImeNumber();
    }
    if (chosen < 0 || chosen >= configuration.GetImes()->Count()) {
        return -1;
    }
    return chosen;
}

int DecideSlot(const TargetWindowInfo& target, const RuleSnapshot& rules, bool is64BitSystem,
               Processed::CProcessedWindow& windows, Processed::CProcessedProcess& processes)
{
    if (AlreadyHandled(rules.Settings().GetSystem()->GetProcessed(), target, windows, processes)) {
        return -1;
    }
    return ChooseImeNumber(target, rules, is64BitSystem);
}

std::uint8_t FirstModifier(SendType type)
{
    switch (type) {
    case ST_SENDINPUT_ALTFIRST:
        return VK_MENU;
    case ST_SENDINPUT_SHIFTFIRST:
        return VK_SHIFT;
    case ST_SENDINPUT_CTRLFIRST:
        return VK_CONTROL;
    default:
        return 0;
    }
}

} // namespace Engine
