#include "processed/ProcessedMemories.h"

namespace Processed {

CProcessedWindow ProcessedWindows;
CProcessedProcess ProcessedProcesses;

void ClearProcessedMemories()
{
    ProcessedWindows.Clear();
    ProcessedProcesses.Clear();
}

} // namespace Processed
