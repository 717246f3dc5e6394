#pragma once
// Figures for the watcher thread on real key-logging windows; part of ./dev.sh bench.

namespace EngineBench {

// Prints focus-change-to-keys latencies with and without the foreground event,
// how many short visits are switched, and the watcher thread's idle CPU time.
// False when the key-logging windows could not be started.
bool BenchWatcher();

} // namespace EngineBench
