#pragma once
// A memory of targets the engine has already handled.
#include "target/TargetWindowInfo.h"

namespace Processed {

class CProcessed {
public:
    // True when the target was already remembered; otherwise remembers it and is false.
    virtual bool TestAndAdd(const Engine::TargetWindowInfo& target) = 0;
    // Forgets this one target, so that it counts as new again.
    virtual void Forget(const Engine::TargetWindowInfo& target) = 0;
    // Forgets the targets that no longer exist.
    virtual void Prune() = 0;
    virtual void Clear() = 0;

protected:
    // Never deleted through the base: the engine owns each memory by its own type.
    ~CProcessed() = default;
};

} // namespace Processed
