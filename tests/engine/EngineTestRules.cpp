#include "tests/engine/EngineTestRules.h"

#include "tests/support/TestWindows.h"

namespace EngineTest {

using namespace Configuration;

std::unique_ptr<CConfigurations> MakeConfiguration(const Rules& rules)
{
    auto configuration = std::make_unique<CConfigurations>();
    CSwitchOnArchitecture& architecture = *configuration->GetSwitchOnArchitecture();
    architecture.SetUse(rules.architectureUse);
    architecture.Set32BitImeNumber(rules.imeNumber32);
    architecture.Set64BitImeNumber(rules.imeNumber64);
    for (const Condition& condition : rules.ignore) {
        architecture.GetIgnoreApplications()->Add(
            std::make_unique<CApplication4SwitchOnArchitecture>(condition.type, condition.expression));
    }
    for (const Condition& condition : rules.applications) {
        configuration->GetSwitchOnApplication()->GetApplications()->Add(std::make_unique<CApplication4SwitchOnApplication>(
            condition.type, condition.expression, condition.imeNumber));
    }
    CImes& imes = *configuration->GetImes();
    imes.Clear();
    for (int n = 0; n < rules.imeCount; ++n) {
        imes.Add(std::make_unique<CIme>(L"IME-" + std::to_wstring(n + 1),
                                        Flib::IO::Input::CKeys{VK_MENU, VK_SHIFT, static_cast<std::uint8_t>('1' + n)}));
    }
    configuration->GetSystem()->SetProcessed(rules.processed);
    configuration->GetSystem()->SetType(rules.sendType);
    return configuration;
}

OwnWindows::OwnWindows(const wchar_t* className) : className_(className)
{
    TolvTest::RegisterTestWindowClass(className_);
}

OwnWindows::~OwnWindows()
{
    for (const HWND window : windows_) {
        ::DestroyWindow(window);
    }
    ::UnregisterClassW(className_, ::GetModuleHandleW(nullptr));
}

HWND OwnWindows::Create(const std::wstring& title)
{
    const HWND window = TolvTest::CreateHiddenWindow(className_, title);
    if (window != nullptr) {
        windows_.push_back(window);
    }
    return window;
}

} // namespace EngineTest
