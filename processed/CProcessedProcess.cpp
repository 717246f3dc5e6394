#include "processed/CProcessedProcess.h"

#include <windows.h>

#include <psapi.h>

#include <cstddef>
#include <optional>
#include <vector>

namespace Processed {

namespace {

constexpr std::size_t kFirstCapacity = 1024;
// Far beyond any real system; an enumeration that still fills it is not believed.
constexpr std::size_t kCapacityLimit = std::size_t{1} << 20;

// The ids of every running process; nothing when they cannot all be known.
std::optional<std::set<std::int32_t>> RunningProcesses()
{
    // A full buffer may have cut the list short: only a shorter answer is complete.
    for (std::size_t capacity = kFirstCapacity; capacity <= kCapacityLimit; capacity *= 2) {
        std::vector<DWORD> ids(capacity, 0);
        const DWORD size = static_cast<DWORD>(capacity * sizeof(DWORD));
        DWORD bytes = 0;
        if (!::EnumProcesses(ids.data(), size, &bytes)) {
            return std::nullopt;
        }
        if (bytes < size) {
            std::set<std::int32_t> running;
            for (std::size_t i = 0; i < bytes / sizeof(DWORD); ++i) {
                running.insert(static_cast<std::int32_t>(ids[i]));
            }
            return running;
        }
    }
    return std::nullopt;
}

} // namespace

bool CProcessedProcess::TestAndAdd(const Engine::TargetWindowInfo& target)
{
    return !ids_.insert(static_cast<std::int32_t>(target.processId)).second;
}

void CProcessedProcess::Forget(const Engine::TargetWindowInfo& target)
{
    ids_.erase(static_cast<std::int32_t>(target.processId));
}

void CProcessedProcess::Prune()
{
    if (ids_.empty()) {
        return;
    }
    const std::optional<std::set<std::int32_t>> running = RunningProcesses();
    if (!running) {
        return; // what is not known to have ended stays remembered
    }
    for (auto id = ids_.begin(); id != ids_.end();) {
        if (running->count(*id) != 0) {
            ++id;
        } else {
            id = ids_.erase(id);
        }
    }
}

void CProcessedProcess::Clear() { ids_.clear(); }

} // namespace Processed
