#include "target/ProcessBitness.h"

namespace Engine {

namespace {

using IsWow64Process2Function = BOOL(WINAPI*)(HANDLE process, USHORT* processMachine, USHORT* nativeMachine);

// Looked up on every call rather than linked: Windows before 10 version 1511 and
// older MinGW import libraries lack it.
IsWow64Process2Function FindIsWow64Process2()
{
    const HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) {
        return nullptr;
    }
    // Through the generic function pointer type, which any function type converts from without a warning.
    return reinterpret_cast<IsWow64Process2Function>(
        reinterpret_cast<void (*)()>(::GetProcAddress(kernel, "IsWow64Process2")));
}

} // namespace

BOOL RunsAs32BitCode(HANDLE process)
{
    if (process == nullptr) {
        return FALSE;
    }
    // It names the emulated machine exactly: unknown for native code and for x64
    // emulated on ARM64 (not WOW64), i386 (or 32-bit ARM) for a WOW64 process.
    if (const IsWow64Process2Function isWow64Process2 = FindIsWow64Process2()) {
        USHORT processMachine = IMAGE_FILE_MACHINE_UNKNOWN;
        USHORT nativeMachine = IMAGE_FILE_MACHINE_UNKNOWN;
        if (isWow64Process2(process, &processMachine, &nativeMachine)) {
            return processMachine != IMAGE_FILE_MACHINE_UNKNOWN ? TRUE : FALSE;
        }
    }
    BOOL wow64 = FALSE;
    return ::IsWow64Process(process, &wow64) && wow64 ? TRUE : FALSE;
}

} // namespace Engine
