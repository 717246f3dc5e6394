#pragma once
// The two process-wide memories of handled targets.
#include "processed/CProcessedProcess.h"
#include "processed/CProcessedWindow.h"

namespace Processed {

// Empty at start, alive for the whole run. Callers guard them with the engine's lock.
extern CProcessedWindow ProcessedWindows;
extern CProcessedProcess ProcessedProcesses;

// Forgets every handled window, then every handled process, so that changed
// settings apply to targets already seen.
void ClearProcessedMemories();

} // namespace Processed
