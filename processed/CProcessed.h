#pragma once
// A memory of targets the engine has already handled.
#include "target/TargetWindowInfo.h"

namespace Processed {

class CProcessed {
public:
    // True when the target was already remembered; otherwise remembers it and is false.
    virtual bool TestAndAdd(const Engine::TargetWindowInfo& target) = 0;
    // Forgets the targets that no longer exist.
    virtual void Prune() = 0;
    virtual void Clear() = 0;

protected:
    // Never deleted through the base: both memories live for the whole run.
    ~CProcessed() = default;
};

} // namespace Processed
