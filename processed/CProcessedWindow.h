#pragma once
// Remembers handled windows by handle.
#include <cstdint>
#include <set>

#include "processed/CProcessed.h"

namespace Processed {

class CProcessedWindow final : public CProcessed {
public:
    bool TestAndAdd(const Engine::TargetWindowInfo& target) override;
    void Forget(const Engine::TargetWindowInfo& target) override;
    // A handle the system reuses after this prune counts as a new window.
    void Prune() override;
    void Clear() override;

private:
    std::set<std::int64_t> handles_;
};

} // namespace Processed
