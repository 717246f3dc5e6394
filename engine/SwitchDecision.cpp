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

int ChooseImeNumber(const TargetWindowInfo& target, const CConfigurations& configuration, bool is64BitSystem)
{
    int chosen = -1;
    const CSwitchOnArchitecture& architecture = *configuration.GetSwitchOnArchitecture();
    if (is64BitSystem && architecture.GetUse()) {
        const int candidate = target.isWow64 ? architecture.Get32BitImeNumber() : architecture.Get64BitImeNumber();
        chosen = FindMatch(*architecture.GetIgnoreApplications(), target) >= 0 ? -1 : candidate;
    }
    const CApplications4SwitchOnApplication& applications = *configuration.GetSwitchOnApplication()->GetApplications();
    const int entry = FindMatch(applications, target);
    if (entry >= 0) {
        // Whatever the 32/64-bit rule chose: an entry's -1 is how a user says "leave this one alone".
        chosen = applications.GetAt(entry)->GetImeNumber();
    }
    if (chosen < 0 || chosen >= configuration.GetImes()->Count()) {
        return -1;
    }
    return chosen;
}

int DecideSlot(const TargetWindowInfo& target, const CConfigurations& configuration, bool is64BitSystem,
               Processed::CProcessedWindow& windows, Processed::CProcessedProcess& processes)
{
    if (AlreadyHandled(configuration.GetSystem()->GetProcessed(), target, windows, processes)) {
        return -1;
    }
    return ChooseImeNumber(target, configuration, is64BitSystem);
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
