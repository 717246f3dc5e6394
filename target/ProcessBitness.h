#pragma once
// Whether a process runs 32-bit code on this 64-bit Windows.
#include <windows.h>

namespace Engine {

// TRUE for a 32-bit process under WOW64: x86 code on x64 or ARM64 Windows.
// An x64 process emulated on ARM64 runs 64-bit code and counts as 64-bit (FALSE).
// FALSE for a null handle and when the system cannot tell.
BOOL RunsAs32BitCode(HANDLE process);

} // namespace Engine
