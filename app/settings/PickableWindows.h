#pragma once
// The windows a rule can be built from: the top-level windows a user sees and
// switches to, each with the facts the engine would see for it.
#include <windows.h>

#include <vector>

#include "target/TargetWindowInfo.h"

namespace Tolv {

struct PickableWindow {
    Engine::TargetWindowInfo facts; // as DescribeWindow gives them, Store-app frames included
    // Borrowed from the window's program, which may destroy it at any time: copy
    // it at once (an image list does). Null when neither window nor class has one.
    HICON icon = nullptr;
};

// Visible, unowned top-level windows that are no tool windows (and not hidden
// by the system as cloaked), of every process but `skippedProcessId`, in Z
// order with the front window first.
std::vector<HWND> PickableWindowHandles(DWORD skippedProcessId);

// Whether a top-level window belongs in the list, whatever its process.
bool IsPickable(HWND window);

// The window's small icon, asked of the window with a short time-out (a window
// that does not answer never holds the caller up), then its class's.
HICON SmallIconOf(HWND window);

// One entry per handle of PickableWindowHandles(skippedProcessId).
std::vector<PickableWindow> DescribePickableWindows(DWORD skippedProcessId);

} // namespace Tolv
