#pragma once
// The engine's choice, free of OS effects: whether a target was handled before,
// which IME slot applies to it, and which modifier goes first.
#include <cstdint>

#include "configuration/ProcessedPolicy.h"
#include "configuration/SendType.h"
#include "engine/RuleSnapshot.h"
#include "target/TargetWindowInfo.h"
#include "processed/CProcessedProcess.h"
#include "processed/CProcessedWindow.h"

namespace Engine {

// True when the memory that `policy` selects already holds the target; otherwise
// the target is remembered now, before any rule looks at it. PP_NONE and unknown
// policies remember nothing.
bool AlreadyHandled(Configuration::ProcessedPolicy policy, const TargetWindowInfo& target,
                    Processed::CProcessedWindow& windows, Processed::CProcessedProcess& processes);
// Undoes what AlreadyHandled remembered for a target whose keys were never
// pressed, so that it counts as new when it comes to the front again.
void ForgetHandled(Configuration::ProcessedPolicy policy, const TargetWindowInfo& target,
                   Processed::CProcessedWindow& windows, Processed::CProcessedProcess& processes);

// The IME number the rules choose: the 32/64-bit rule (on a 64-bit system, when on,
// unless excluded), overridden by the first matching per-application entry. -1
// when the result selects none of the slots. `is64BitSystem` stands for the
// configuration's own flag, so that a 32-bit system can be decided on any machine.
int ChooseImeNumber(const TargetWindowInfo& target, const RuleSnapshot& rules, bool is64BitSystem);

// The whole decision: -1 when the target was handled before or no slot applies.
int DecideSlot(const TargetWindowInfo& target, const RuleSnapshot& rules, bool is64BitSystem,
               Processed::CProcessedWindow& windows, Processed::CProcessedProcess& processes);

// VK_MENU, VK_SHIFT or VK_CONTROL for the three SendInput types; 0 for a type
// without a sending method.
std::uint8_t FirstModifier(Configuration::SendType type);

} // namespace Engine
