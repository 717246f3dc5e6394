#pragma once
// Remembers handled processes by id.
#include <cstdint>
#include <set>

#include "processed/CProcessed.h"

namespace Processed {

class CProcessedProcess final : public CProcessed {
public:
    bool TestAndAdd(const Engine::TargetWindowInfo& target) override;
    // Enumerates the running processes, so only when something is remembered.
    // Ids beyond the first 1024 running processes, or all of them when the
    // enumeration fails, count as gone: such a process is switched once more.
    void Prune() override;
    void Clear() override;

private:
    std::set<std::int32_t> ids_;
};

} // namespace Processed
