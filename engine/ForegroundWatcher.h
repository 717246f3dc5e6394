#pragma once
// The watcher thread: polls the foreground window and hands each new one to the engine.
#include <windows.h>

#include <cstdint>

#include "engine/SwitchEngine.h"

namespace Engine {

// One cycle without its sleep: runs the engine when the foreground window differs
// from `previous` (a change to null counts too) and prunes the memories when the
// low three bits of `cycle` are 0. Returns the foreground window it saw.
HWND RunWatcherCycle(SwitchEngine& engine, HWND previous, std::uint32_t cycle);

// Starts the one watcher thread (nothing happens while one runs). When the thread
// cannot be created no watcher runs, as nothing else can be done about it.
void StartForegroundWatcher(SwitchEngine& engine);
// Ends the current cycle's sleep at once and joins the thread, so nothing of the
// engine runs after it returns. Safe to call twice or without a start.
void StopForegroundWatcher();

} // namespace Engine
