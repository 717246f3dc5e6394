#include "engine/SwitchEngine.h"

#include <optional>
#include <utility>

#include "configuration/CIme.h"
#include "configuration/CNotify.h"
#include "engine/PressGate.h"
#include "engine/SwitchDecision.h"
#include "engine/SwitchNotification.h"
#include "target/TargetWindowInfo.h"

namespace Engine {

using Configuration::CIme;

namespace {

// What the locked decision hands to the effects: copies, since the snapshot may
// be replaced as soon as the lock is released.
struct SwitchPlan {
    CIme slot;
    Configuration::SendType sendType;
    Configuration::ProcessedPolicy processed;
    Configuration::CNotify notify;
    bool is64BitSystem;
};

} // namespace

SwitchEngine::SwitchEngine(const Configuration::CConfigurations& settings, HINSTANCE instance,
                           BalloonSink balloons, KeySender sendKeys)
    : instance_(instance), balloons_(std::move(balloons)), sendKeys_(std::move(sendKeys)),
      rules_(std::make_unique<const RuleSnapshot>(settings)),
      pauseBegan_(::CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
}

bool SwitchEngine::SwitchForWindow(HWND window, HANDLE stop)
{
    if (window == nullptr || paused_) {
        return true; // no window in front, or told to leave every window alone
    }
    const TargetWindowInfo target = DescribeWindow(window);

    std::optional<SwitchPlan> plan;
    {
        const std::lock_guard<std::mutex> guard(lock_);
        const Configuration::CConfigurations& settings = rules_->Settings();
        const bool is64BitSystem = settings.GetSwitchOnArchitecture()->Is64BitSystem() != 0;
        const int number = DecideSlot(target, *rules_, is64BitSystem, windows_, processes_);
        if (number < 0) {
            return true;
        }
        const CIme& slot = *settings.GetImes()->GetAt(number);
        plan.emplace(SwitchPlan{CIme(slot.GetName(), slot.GetKeys()), settings.GetSystem()->GetType(),
                                settings.GetSystem()->GetProcessed(), *settings.GetNotify(), is64BitSystem});
    }

    ::SetForegroundWindow(window);
    const std::uint8_t modifier = FirstModifier(plan->sendType);
    if (modifier == 0) {
        NotifyNoSendMethod(instance_, balloons_);
        return true;
    }
    if (!WaitForFreeHands(window, stop)) {
        // Never pressed: the window is switched when it comes to the front again.
        const std::lock_guard<std::mutex> guard(lock_);
        ForgetHandled(plan->processed, target, windows_, processes_);
        return false;
    }
    const bool sent = sendKeys_(BuildSendKeys(plan->slot.GetKeys(), modifier));
    if (!plan->notify.GetUse()) {
        return true;
    }
    if (sent) {
        NotifySwitch(instance_, plan->notify, plan->is64BitSystem, target, plan->slot, balloons_);
    } else {
        NotifyKeysNotSent(instance_, plan->notify, plan->is64BitSystem, target, balloons_);
    }
    return true;
}

bool SwitchEngine::WaitForFreeHands(HWND window, HANDLE stop) const
{
    HANDLE wakes[2];
    DWORD count = 0;
    for (const HANDLE wake : {stop, pauseBegan_.Get()}) {
        if (wake != nullptr) {
            wakes[count++] = wake;
        }
    }
    for (;;) {
        PressMoment moment;
        moment.decidedFor = window;
        moment.foreground = ::GetForegroundWindow();
        moment.held = ReadHeldModifiers();
        moment.paused = paused_;
        moment.stopping = stop != nullptr && ::WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
        switch (NextPressStep(moment)) {
        case PressStep::Press:
            return true;
        case PressStep::Drop:
            return false;
        case PressStep::Wait:
            break;
        }
        const DWORD recheck = static_cast<DWORD>(kHeldKeyRecheck.count());
        if (count == 0 || ::WaitForMultipleObjects(count, wakes, FALSE, recheck) == WAIT_FAILED) {
            ::Sleep(recheck);
        }
    }
}

void SwitchEngine::SetPaused(bool paused)
{
    paused_ = paused;
    if (paused && pauseBegan_) {
        ::SetEvent(pauseBegan_.Get());
    }
}

void SwitchEngine::ApplySettings(const Configuration::CConfigurations& edited)
{
    std::unique_ptr<const RuleSnapshot> rules = std::make_unique<const RuleSnapshot>(edited);
    {
        const std::lock_guard<std::mutex> guard(lock_);
        rules_.swap(rules);
        windows_.Clear();
        processes_.Clear();
    }
    // The old snapshot goes here, outside the lock.
}

void SwitchEngine::PruneMemories()
{
    const std::lock_guard<std::mutex> guard(lock_);
    windows_.Prune();
    processes_.Prune();
}

} // namespace Engine
