#pragma once
// The rules one decision reads, made ready once when settings are loaded or applied.
#include "configuration/CConfigurations.h"
#include "engine/ConditionMatching.h"

namespace Engine {

// A private copy of the confirmed settings with both condition lists compiled.
// Built on the main thread, outside the engine's lock, so that no decision and no
// apply compiles a pattern while the other waits. Never changed once built.
class RuleSnapshot {
public:
    explicit RuleSnapshot(const Configuration::CConfigurations& settings);
    RuleSnapshot(const RuleSnapshot&) = delete;
    RuleSnapshot& operator=(const RuleSnapshot&) = delete;

    const Configuration::CConfigurations& Settings() const { return settings_; }
    // Per-application entries, in the settings' order.
    const CompiledConditions& Applications() const { return applications_; }
    // The 32/64-bit rule's exclusions.
    const CompiledConditions& ArchitectureExclusions() const { return exclusions_; }

private:
    Configuration::CConfigurations settings_;
    CompiledConditions applications_;
    CompiledConditions exclusions_;
};

} // namespace Engine
