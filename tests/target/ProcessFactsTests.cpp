// Process facts of real 64-bit and 32-bit targets when Windows refuses what Wine
// grants, and bitness as ARM64 Windows reports it, through patched system calls.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>

#include "target/TargetWindowInfo.h"
#include "tests/support/ImportPatch.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/KeyLoggers.h"

namespace {

using Engine::ArchitectureLabel;
using Engine::DescribeWindow;
using Engine::TargetWindowInfo;
using TolvTest::ImportPatch;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;
using TolvTest::SamePath;

// What an elevated or protected process grants a normally running program.
void* originalOpenProcess = nullptr;
HANDLE WINAPI OpenProcessLimitedOnly(DWORD access, BOOL inherit, DWORD id)
{
    if ((access & ~static_cast<DWORD>(PROCESS_QUERY_LIMITED_INFORMATION)) != 0) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return reinterpret_cast<HANDLE(WINAPI*)(DWORD, BOOL, DWORD)>(originalOpenProcess)(access, inherit, id);
}

BOOL WINAPI QueryImageNameRefused(HANDLE, DWORD, LPWSTR, PDWORD)
{
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

// IsWow64Process answering the opposite of the truth: a target described right
// shows that the newer call was asked instead.
void* originalIsWow64Process = nullptr;
BOOL WINAPI IsWow64ProcessInverted(HANDLE process, PBOOL wow64)
{
    if (!reinterpret_cast<BOOL(WINAPI*)(HANDLE, PBOOL)>(originalIsWow64Process)(process, wow64)) {
        return FALSE;
    }
    *wow64 = !*wow64;
    return TRUE;
}

// IsWow64Process2 as ARM64 Windows answers it: the native machine is ARM64, the
// process machine is i386 for x86 code under WOW64 and unknown for 64-bit code
// (x64 emulated on ARM64 included, which is not WOW64).
BOOL WINAPI IsWow64Process2OfArm64(HANDLE process, USHORT* processMachine, USHORT* nativeMachine)
{
    BOOL wow64 = FALSE;
    if (!reinterpret_cast<BOOL(WINAPI*)(HANDLE, PBOOL)>(originalIsWow64Process)(process, &wow64)) {
        return FALSE;
    }
    *processMachine = wow64 ? IMAGE_FILE_MACHINE_I386 : IMAGE_FILE_MACHINE_UNKNOWN;
    *nativeMachine = 0xAA64; // IMAGE_FILE_MACHINE_ARM64
    return TRUE;
}

// What GetProcAddress hands out for IsWow64Process2; null as on systems without it.
void* originalGetProcAddress = nullptr;
FARPROC isWow64Process2StandIn = nullptr;
FARPROC WINAPI GetProcAddressWithStandIn(HMODULE module, LPCSTR name)
{
    // Names below 0x10000 are ordinals, not strings.
    if ((reinterpret_cast<ULONG_PTR>(name) >> 16) != 0 && std::strcmp(name, "IsWow64Process2") == 0) {
        return isWow64Process2StandIn;
    }
    return reinterpret_cast<FARPROC(WINAPI*)(HMODULE, LPCSTR)>(originalGetProcAddress)(module, name);
}

struct Patches {
    std::unique_ptr<ImportPatch> first;
    std::unique_ptr<ImportPatch> second;
};

struct RefusalCase {
    const char* name;
    std::function<Patches()> patch;
};

struct Target {
    const char* name;
    KeyLogBuild build;
    BOOL isWow64;
    const wchar_t* label;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }
void PrintTo(const Target& t, std::ostream* out) { *out << t.name; }

const Target kTargets[] = {
    {"Native64", KeyLogBuild::Native, FALSE, L"64bit"},
    {"Wow64", KeyLogBuild::Wow64, TRUE, L"32bit(WOW64)"},
};

class RefusedAccessTest : public ::testing::TestWithParam<std::tuple<RefusalCase, Target>> {};

TEST_P(RefusedAccessTest, RealTargetsAreStillFullyDescribed)
{
    const RefusalCase& refusal = std::get<0>(GetParam());
    const Target& t = std::get<1>(GetParam());
    if (!KeyLogProcess::Available(t.build)) {
        GTEST_SKIP() << TolvTest::kNo32BitKeyLogger;
    }
    KeyLogProcess process(t.build, L"TolvTestRefused", L"refused");
    ASSERT_NE(process.Window(), nullptr);

    TargetWindowInfo target;
    {
        const Patches patches = refusal.patch();
        target = DescribeWindow(process.Window());
    }

    EXPECT_EQ(target.processId, process.Id());
    EXPECT_TRUE(SamePath(target.fullPath, process.ExePath())) << target.fullPath.c_str();
    const std::wstring exeName = process.ExePath().substr(process.ExePath().find_last_of(L'\\') + 1);
    EXPECT_TRUE(target.fileName == exeName || target.fileName == exeName.substr(0, exeName.size() - 4))
        << target.fileName.c_str();
    EXPECT_EQ(target.isWow64, t.isWow64);
    EXPECT_EQ(ArchitectureLabel(target, true), t.label);
    EXPECT_EQ(target.className, L"TolvTestRefused");
}

Patches Patch(const char* name, void* replacement, void** original)
{
    Patches patches;
    patches.first = std::make_unique<ImportPatch>(name, replacement);
    EXPECT_GT(patches.first->Slots(), 0u) << name << " is not imported: the patch would observe nothing";
    if (original != nullptr) {
        *original = patches.first->Original();
    }
    return patches;
}

const RefusalCase kRefusals[] = {
    // An elevated, another user's or a protected process.
    {"OnlyLimitedQueryGranted",
     [] { return Patch("OpenProcess", reinterpret_cast<void*>(OpenProcessLimitedOnly), &originalOpenProcess); }},
    // The older calls take over when the newer one fails.
    {"ImageNameQueryFails",
     [] { return Patch("QueryFullProcessImageNameW", reinterpret_cast<void*>(QueryImageNameRefused), nullptr); }},
    // Windows before 10 version 1511: no IsWow64Process2.
    {"WithoutIsWow64Process2",
     [] {
         isWow64Process2StandIn = nullptr;
         return Patch("GetProcAddress", reinterpret_cast<void*>(GetProcAddressWithStandIn), &originalGetProcAddress);
     }},
    // ARM64 Windows: IsWow64Process2 tells, IsWow64Process is not asked.
    {"Arm64",
     [] {
         Patches patches = Patch("IsWow64Process", reinterpret_cast<void*>(IsWow64ProcessInverted),
                                 &originalIsWow64Process);
         isWow64Process2StandIn = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(IsWow64Process2OfArm64));
         patches.second =
             std::make_unique<ImportPatch>("GetProcAddress", reinterpret_cast<void*>(GetProcAddressWithStandIn));
         EXPECT_GT(patches.second->Slots(), 0u);
         originalGetProcAddress = patches.second->Original();
         return patches;
     }},
};

// A path longer than any first buffer, ending in the real executable's name.
std::wstring longImagePath;

std::wstring LongPathOf(const std::wstring& exe)
{
    std::wstring path = L"C:";
    while (path.size() < 5000) {
        path += L"\\" + std::wstring(200, L'd');
    }
    return path + exe.substr(exe.find_last_of(L'\\'));
}

BOOL WINAPI QueryLongImageName(HANDLE, DWORD, LPWSTR buffer, PDWORD size)
{
    if (*size <= longImagePath.size()) {
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    buffer[longImagePath.copy(buffer, longImagePath.size())] = L'\0';
    *size = static_cast<DWORD>(longImagePath.size());
    return TRUE;
}

// Cuts the path to the buffer and succeeds, as the system does.
DWORD WINAPI LongModuleFileName(HANDLE, HMODULE, LPWSTR buffer, DWORD size)
{
    const std::size_t length = longImagePath.copy(buffer, size - 1);
    buffer[length] = L'\0';
    return static_cast<DWORD>(length);
}

TEST(LongImagePathTest, IsReadWholeThroughEitherCall)
{
    KeyLogProcess process(KeyLogBuild::Native, L"TolvTestLongPath", L"long path");
    ASSERT_NE(process.Window(), nullptr);
    longImagePath = LongPathOf(process.ExePath());
    const std::wstring exeName = longImagePath.substr(longImagePath.find_last_of(L'\\') + 1);

    TargetWindowInfo newer;
    {
        const Patches patches = Patch("QueryFullProcessImageNameW", reinterpret_cast<void*>(QueryLongImageName), nullptr);
        newer = DescribeWindow(process.Window());
    }
    EXPECT_EQ(newer.fullPath, longImagePath);

    TargetWindowInfo older;
    {
        const Patches refused = Patch("QueryFullProcessImageNameW", reinterpret_cast<void*>(QueryImageNameRefused), nullptr);
        ImportPatch module("GetModuleFileNameExW", reinterpret_cast<void*>(LongModuleFileName));
        ImportPatch k32("K32GetModuleFileNameExW", reinterpret_cast<void*>(LongModuleFileName));
        ASSERT_GT(module.Slots() + k32.Slots(), 0u);
        older = DescribeWindow(process.Window());
    }
    EXPECT_EQ(older.fullPath, longImagePath);
    for (const TargetWindowInfo& target : {newer, older}) {
        EXPECT_TRUE(target.fileName == exeName || target.fileName == exeName.substr(0, exeName.size() - 4))
            << target.fileName.c_str();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedAccessTest, ::testing::Combine(::testing::ValuesIn(kRefusals), ::testing::ValuesIn(kTargets)),
    [](const ::testing::TestParamInfo<std::tuple<RefusalCase, Target>>& info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

} // namespace
