#include "engine/SwitchEngine.h"

#include <optional>
#include <utility>

#include "configuration/CIme.h"
#include "configuration/CNotify.h"
#include "engine/SwitchDecision.h"
#include "engine/SwitchNotification.h"
#include "target/TargetWindowInfo.h"
#include "processed/ProcessedMemories.h"

namespace Engine {

using Configuration::CIme;

namespace {

// What the locked decision hands to the effects: copies, since the settings may
// be replaced as soon as the lock is released.
struct SwitchPlan {
    CIme slot;
    Configuration::SendType sendType;
    Configuration::CNotify notify;
    bool is64BitSystem;
};

} // namespace

SwitchEngine::SwitchEngine(Configuration::CConfigurations& live, HINSTANCE instance, BalloonSink balloons,
                           KeySender sendKeys)
    : live_(live), instance_(instance), balloons_(std::move(balloons)), sendKeys_(std::move(sendKeys))
{
}

void SwitchEngine::SwitchForWindow(HWND window)
{
    if (window == nullptr || paused_) {
        return; // no window in front, or told to leave every window alone
    }
    const TargetWindowInfo target = DescribeWindow(window);

    std::optional<SwitchPlan> plan;
    {
        const std::lock_guard<std::mutex> guard(lock_);
        const bool is64BitSystem = live_.GetSwitchOnArchitecture()->Is64BitSystem() != 0;
        const int number =
            DecideSlot(target, live_, is64BitSystem, Processed::ProcessedWindows, Processed::ProcessedProcesses);
        if (number < 0) {
            return;
        }
        const CIme& slot = *live_.GetImes()->GetAt(number);
        plan.emplace(SwitchPlan{CIme(slot.GetName(), slot.GetKeys()), live_.GetSystem()->GetType(),
                                *live_.GetNotify(), is64BitSystem});
    }

    ::SetForegroundWindow(window); // refused or not, the keys go to whatever is in front
    const std::uint8_t modifier = FirstModifier(plan->sendType);
    if (modifier == 0) {
        NotifyNoSendMethod(instance_, balloons_);
        return;
    }
    const bool sent = sendKeys_(BuildSendKeys(plan->slot.GetKeys(), modifier));
    if (!plan->notify.GetUse()) {
        return;
    }
    if (sent) {
        NotifySwitch(instance_, plan->notify, plan->is64BitSystem, target, plan->slot, balloons_);
    } else {
        NotifyKeysNotSent(instance_, plan->notify, plan->is64BitSystem, target, balloons_);
    }
}

void SwitchEngine::ApplySettings(const Configuration::CConfigurations& edited)
{
    const std::lock_guard<std::mutex> guard(lock_);
    live_.Assign(edited);
    Processed::ClearProcessedMemories();
}

void SwitchEngine::PruneMemories()
{
    const std::lock_guard<std::mutex> guard(lock_);
    Processed::ProcessedWindows.Prune();
    Processed::ProcessedProcesses.Prune();
}

} // namespace Engine
