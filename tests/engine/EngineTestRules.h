#pragma once
// Rule sets for engine tests, written as data, and targets described from real windows.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "configuration/CConfigurations.h"
#include "target/TargetWindowInfo.h"

namespace EngineTest {

struct Condition {
    Configuration::MatchType type;
    std::wstring expression;
    int imeNumber; // per-application entries only
};

struct Rules {
    int architectureUse = 0;
    int imeNumber32 = 0;
    int imeNumber64 = 0;
    std::vector<Condition> ignore;
    std::vector<Condition> applications;
    int imeCount = 4; // slot n is "IME-<n+1>" on Alt+Shift+<n+1>
    Configuration::ProcessedPolicy processed = Configuration::PP_NONE;
    Configuration::SendType sendType = Configuration::ST_SENDINPUT_SHIFTFIRST;
};

// Defaults everywhere else, notifications included.
std::unique_ptr<Configuration::CConfigurations> MakeConfiguration(const Rules& rules);

// Top-level windows of this process with a chosen class, never shown.
class OwnWindows {
public:
    explicit OwnWindows(const wchar_t* className);
    ~OwnWindows();
    OwnWindows(const OwnWindows&) = delete;
    OwnWindows& operator=(const OwnWindows&) = delete;

    HWND Create(const std::wstring& title);

private:
    const wchar_t* className_;
    std::vector<HWND> windows_;
};

} // namespace EngineTest
