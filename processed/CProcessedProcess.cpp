#include "processed/CProcessedProcess.h"

#include <windows.h>

#include <psapi.h>

#include <vector>

namespace Processed {

namespace {

constexpr DWORD kMaxProcesses = 1024;

std::set<std::int32_t> RunningProcesses()
{
    std::set<std::int32_t> running;
    std::vector<DWORD> ids(kMaxProcesses, 0);
    DWORD bytes = 0;
    if (::EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) {
        const DWORD count = bytes / sizeof(DWORD);
        for (DWORD i = 0; i < count; ++i) {
            running.insert(static_cast<std::int32_t>(ids[i]));
        }
    }
    return running;
}

} // namespace

bool CProcessedProcess::TestAndAdd(const Engine::TargetWindowInfo& target)
{
    return !ids_.insert(static_cast<std::int32_t>(target.processId)).second;
}

void CProcessedProcess::Prune()
{
    if (ids_.empty()) {
        return;
    }
    const std::set<std::int32_t> running = RunningProcesses();
    for (auto id = ids_.begin(); id != ids_.end();) {
        if (running.count(*id) != 0) {
            ++id;
        } else {
            id = ids_.erase(id);
        }
    }
}

void CProcessedProcess::Clear() { ids_.clear(); }

} // namespace Processed
