#include "processed/CProcessedWindow.h"

#include <windows.h>

namespace Processed {

namespace {

std::int64_t Key(HWND handle) { return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(handle)); }

HWND Handle(std::int64_t key) { return reinterpret_cast<HWND>(static_cast<std::intptr_t>(key)); }

} // namespace

bool CProcessedWindow::TestAndAdd(const Engine::TargetWindowInfo& target)
{
    return !handles_.insert(Key(target.windowHandle)).second;
}

void CProcessedWindow::Forget(const Engine::TargetWindowInfo& target) { handles_.erase(Key(target.windowHandle)); }

void CProcessedWindow::Prune()
{
    for (auto handle = handles_.begin(); handle != handles_.end();) {
        if (::IsWindow(Handle(*handle))) {
            ++handle;
        } else {
            handle = handles_.erase(handle);
        }
    }
}

void CProcessedWindow::Clear() { handles_.clear(); }

} // namespace Processed
