// The memories of handled windows and processes, on real windows and processes.
#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "processed/CProcessedProcess.h"
#include "processed/CProcessedWindow.h"
#include "target/TargetWindowInfo.h"
#include "tests/support/ImportPatch.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/TestWindows.h"

namespace {

using Engine::DescribeWindow;
using Engine::TargetWindowInfo;
using Processed::CProcessedProcess;
using Processed::CProcessedWindow;
using TolvTest::ImportPatch;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;

constexpr wchar_t kClassName[] = L"TolvTestProcessedWindow";

class ProcessedMemoryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Derived suites run this again in the same process.
        ASSERT_TRUE(TolvTest::RegisterTestWindowClass(kClassName) != 0 ||
                    ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS);
    }

    void TearDown() override
    {
        for (const HWND window : windows_) {
            ::DestroyWindow(window);
        }
    }

    // A hidden window of this process, destroyed after the test.
    HWND Create()
    {
        const HWND window = TolvTest::CreateHiddenWindow(kClassName, L"processed");
        windows_.push_back(window);
        return window;
    }

private:
    std::vector<HWND> windows_;
};

TEST_F(ProcessedMemoryTest, WindowIsHandledOnceUntilItIsDestroyedAndPruned)
{
    CProcessedWindow memory;
    const HWND a = Create();
    const HWND b = Create();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);

    EXPECT_FALSE(memory.TestAndAdd(DescribeWindow(a))) << "A is new";
    EXPECT_FALSE(memory.TestAndAdd(DescribeWindow(b))) << "B is new";
    EXPECT_TRUE(memory.TestAndAdd(DescribeWindow(a))) << "back to A: already handled";

    memory.Prune();
    EXPECT_TRUE(memory.TestAndAdd(DescribeWindow(a))) << "a live window survives the prune";

    TargetWindowInfo closedA = DescribeWindow(a);
    ASSERT_TRUE(::DestroyWindow(a));
    EXPECT_TRUE(memory.TestAndAdd(closedA)) << "until the next prune, A's handle still counts as handled";

    memory.Prune();
    EXPECT_TRUE(memory.TestAndAdd(DescribeWindow(b))) << "B is still alive and remembered";
    EXPECT_FALSE(memory.TestAndAdd(closedA)) << "after the prune, A's handle is new again";
}

TEST_F(ProcessedMemoryTest, ProcessIsHandledOnceForAllItsWindowsUntilItExits)
{
    CProcessedProcess memory;
    const HWND first = Create();
    const HWND second = Create();
    ASSERT_NE(second, nullptr);

    EXPECT_FALSE(memory.TestAndAdd(DescribeWindow(first)));
    EXPECT_TRUE(memory.TestAndAdd(DescribeWindow(second))) << "a second window of the same process";

    TargetWindowInfo other;
    {
        KeyLogProcess process(KeyLogBuild::Native, L"TolvTestProcessedOther", L"other process");
        ASSERT_NE(process.Window(), nullptr);
        other = DescribeWindow(process.Window());
        EXPECT_FALSE(memory.TestAndAdd(other)) << "another process is new";
        memory.Prune();
        EXPECT_TRUE(memory.TestAndAdd(other)) << "a running process survives the prune";
        ASSERT_TRUE(process.Close());
    }

    memory.Prune();
    EXPECT_TRUE(memory.TestAndAdd(DescribeWindow(first))) << "this process still runs";
    EXPECT_FALSE(memory.TestAndAdd(other)) << "the exited process was forgotten";
}

TEST_F(ProcessedMemoryTest, ClearingAndForgettingMakeHandledTargetsNewAgain)
{
    const HWND window = Create();
    const HWND sibling = Create();
    const TargetWindowInfo target = DescribeWindow(window);
    const TargetWindowInfo other = DescribeWindow(sibling);

    CProcessedWindow windowMemory;
    CProcessedProcess processMemory;
    windowMemory.TestAndAdd(target);
    windowMemory.TestAndAdd(other);
    processMemory.TestAndAdd(target);
    windowMemory.Clear();
    processMemory.Clear();
    EXPECT_FALSE(windowMemory.TestAndAdd(target));
    EXPECT_FALSE(processMemory.TestAndAdd(target));

    // Forgetting one window keeps the others; forgetting the process forgets all its windows.
    windowMemory.TestAndAdd(other);
    windowMemory.Forget(target);
    EXPECT_FALSE(windowMemory.TestAndAdd(target)) << "the forgotten window is new";
    EXPECT_TRUE(windowMemory.TestAndAdd(other)) << "its sibling stays remembered";
    processMemory.Forget(other);
    EXPECT_FALSE(processMemory.TestAndAdd(target)) << "the forgotten process is new";
}

// EnumProcesses as this executable imports it, observed and optionally failed.
#define TOLV_NAME_OF(function) TOLV_NAME_OF_EXPANDED(function)
#define TOLV_NAME_OF_EXPANDED(function) #function

using EnumProcessesFunction = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
int enumerations = 0;
bool failEnumeration = false;
// When not empty, the ids the system reports instead of the real ones.
std::vector<DWORD> pretendRunning;
// Every buffer is reported full, as by a system whose processes never fit.
bool alwaysFull = false;
EnumProcessesFunction realEnumProcesses = nullptr;

BOOL WINAPI ObservedEnumProcesses(DWORD* ids, DWORD bytes, DWORD* written)
{
    ++enumerations;
    if (failEnumeration) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (alwaysFull) {
        for (DWORD i = 0; i < bytes / sizeof(DWORD); ++i) {
            ids[i] = 4 * (i + 1);
        }
        *written = bytes;
        return TRUE;
    }
    if (!pretendRunning.empty()) {
        // As the system does: as many as fit, and no sign that some did not.
        const std::size_t fit = std::min<std::size_t>(pretendRunning.size(), bytes / sizeof(DWORD));
        std::copy(pretendRunning.begin(), pretendRunning.begin() + fit, ids);
        *written = static_cast<DWORD>(fit * sizeof(DWORD));
        return TRUE;
    }
    return realEnumProcesses(ids, bytes, written);
}

TargetWindowInfo ProcessTarget(DWORD id)
{
    TargetWindowInfo target;
    target.processId = id;
    return target;
}

class ProcessPruneTest : public ProcessedMemoryTest {
protected:
    void SetUp() override
    {
        enumerations = 0;
        failEnumeration = false;
        alwaysFull = false;
        pretendRunning.clear();
        // The macro gives the name the headers bind (K32EnumProcesses with newer psapi).
        patch_ = std::make_unique<ImportPatch>(TOLV_NAME_OF(EnumProcesses),
                                               reinterpret_cast<void*>(&ObservedEnumProcesses));
        ASSERT_GT(patch_->Slots(), 0u) << "EnumProcesses is not imported by name";
        realEnumProcesses = reinterpret_cast<EnumProcessesFunction>(patch_->Original());
    }
    void TearDown() override
    {
        patch_.reset();
        ProcessedMemoryTest::TearDown();
    }

private:
    std::unique_ptr<ImportPatch> patch_;
};

TEST_F(ProcessPruneTest, EmptyMemoryDoesNotEnumerateProcesses)
{
    CProcessedProcess memory;
    memory.Prune();
    EXPECT_EQ(enumerations, 0);

    // The same observation sees the enumeration as soon as something is remembered.
    const TargetWindowInfo self = DescribeWindow(Create());
    memory.TestAndAdd(self);
    memory.Prune();
    EXPECT_EQ(enumerations, 1);
    EXPECT_TRUE(memory.TestAndAdd(self)) << "this process still runs";

    memory.Clear();
    memory.Prune();
    EXPECT_EQ(enumerations, 1) << "cleared again: no enumeration";
}

TEST_F(ProcessPruneTest, AnEnumerationThatCannotBeTrustedForgetsNothing)
{
    const struct {
        const char* name;
        bool fail;
        bool full;
    } cases[] = {{"failing", true, false}, {"never fitting", false, true}};
    for (const auto& c : cases) {
        CProcessedProcess memory;
        const TargetWindowInfo self = DescribeWindow(Create());
        const TargetWindowInfo gone = ProcessTarget(0x7FFFFFF0);
        memory.TestAndAdd(self);
        memory.TestAndAdd(gone);
        failEnumeration = c.fail;
        alwaysFull = c.full;
        memory.Prune();
        EXPECT_TRUE(memory.TestAndAdd(self)) << c.name << ": a running process was forgotten";
        EXPECT_TRUE(memory.TestAndAdd(gone)) << c.name << ": kept until an enumeration can be trusted";

        failEnumeration = alwaysFull = false;
        memory.Prune();
        EXPECT_FALSE(memory.TestAndAdd(gone)) << c.name << ": the next good enumeration prunes";
    }
}

TEST_F(ProcessPruneTest, MoreProcessesThanTheFirstBufferHoldsAreAllSeen)
{
    // 3000 running: the remembered ones sit beyond the first 1024 and 2048.
    for (DWORD id = 8; pretendRunning.size() < 3000; id += 4) {
        pretendRunning.push_back(id);
    }
    const DWORD late = pretendRunning[1500];
    const DWORD last = pretendRunning.back();
    const DWORD ended = last + 4;

    CProcessedProcess memory;
    for (const DWORD id : {pretendRunning.front(), late, last, ended}) {
        memory.TestAndAdd(ProcessTarget(id));
    }
    memory.Prune();
    EXPECT_TRUE(memory.TestAndAdd(ProcessTarget(pretendRunning.front())));
    EXPECT_TRUE(memory.TestAndAdd(ProcessTarget(late))) << "a process past the 1024th counted as ended";
    EXPECT_TRUE(memory.TestAndAdd(ProcessTarget(last))) << "the last process counted as ended";
    EXPECT_FALSE(memory.TestAndAdd(ProcessTarget(ended))) << "an ended process stayed remembered";
}

} // namespace
