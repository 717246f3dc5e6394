#pragma once
// Remembers handled processes by id.
#include <cstdint>
#include <set>

#include "processed/CProcessed.h"

namespace Processed {

class CProcessedProcess final : public CProcessed {
public:
    bool TestAndAdd(const Engine::TargetWindowInfo& target) override;
    void Forget(const Engine::TargetWindowInfo& target) override;
    // Enumerates the running processes, so only when something is remembered.
    // When they cannot be enumerated, everything stays remembered until a later prune.
    void Prune() override;
    void Clear() override;

private:
    std::set<std::int32_t> ids_;
};

} // namespace Processed
