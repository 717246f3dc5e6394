// TargetWindowInfo filled from real processes of both bitnesses and from real windows.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

#include "target/TargetWindowInfo.h"
#include "tests/support/KeyLoggers.h"
#include "tests/support/TestWindows.h"
#include "tests/support/Wait.h"

namespace {

using Engine::ArchitectureLabel;
using Engine::DescribeWindow;
using Engine::TargetWindowInfo;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;
using TolvTest::SamePath;

struct ProcessCase {
    const char* name;
    KeyLogBuild build;
    const wchar_t* fileName;
    const wchar_t* fileTitle; // the file name when the user hides extensions
    BOOL isWow64;
    const wchar_t* labelOn64BitSystem;
    const wchar_t* className;
    const wchar_t* title;
};

void PrintTo(const ProcessCase& c, std::ostream* out) { *out << c.name; }

class TargetFromProcessTest : public TolvTest::WithKeyLoggers<::testing::TestWithParam<ProcessCase>> {};

TEST_P(TargetFromProcessTest, DescribesTheWindowAndItsProcess)
{
    const ProcessCase& c = GetParam();
    const KeyLogProcess* process = Logger(c.build);
    if (process == nullptr) {
        GTEST_SKIP() << TolvTest::kNo32BitKeyLogger;
    }
    ASSERT_NE(process->Window(), nullptr);

    const TargetWindowInfo target = DescribeWindow(process->Window());

    EXPECT_EQ(target.processId, process->Id());
    EXPECT_TRUE(SamePath(target.fullPath, process->ExePath())) << target.fullPath.c_str();
    EXPECT_TRUE(target.fileName == c.fileName || target.fileName == c.fileTitle) << target.fileName.c_str();
    EXPECT_EQ(target.isWow64, c.isWow64);
    EXPECT_EQ(target.windowHandle, process->Window());
    EXPECT_EQ(target.threadId, ::GetWindowThreadProcessId(process->Window(), nullptr));
    EXPECT_EQ(target.className, c.className);
    EXPECT_EQ(target.windowText, c.title);
    EXPECT_EQ(ArchitectureLabel(target, true), c.labelOn64BitSystem);
    EXPECT_EQ(ArchitectureLabel(target, false), L"32bit");
}

INSTANTIATE_TEST_SUITE_P(
    Builds, TargetFromProcessTest,
    ::testing::Values(ProcessCase{"Native64", KeyLogBuild::Native, L"tolv_keylog.exe", L"tolv_keylog", FALSE, L"64bit",
                                  TolvTest::kKeyLogClass64, TolvTest::kKeyLogTitle64},
                      ProcessCase{"Wow64", KeyLogBuild::Wow64, L"tolv_keylog32.exe", L"tolv_keylog32", TRUE,
                                  L"32bit(WOW64)", TolvTest::kKeyLogClass32, TolvTest::kKeyLogTitle32}),
    [](const ::testing::TestParamInfo<ProcessCase>& info) { return std::string(info.param.name); });

TEST(TargetFromProcess, ProcessThatCannotBeOpenedKeepsOnlyItsId)
{
    DWORD exitedId = 0;
    {
        KeyLogProcess process(KeyLogBuild::Native, L"TolvTestExited", L"exited");
        ASSERT_NE(process.Window(), nullptr);
        exitedId = process.Id();
        ASSERT_TRUE(process.Close());
    }
    // Wine drops the object of an ended process a little after its last handle is closed.
    ASSERT_TRUE(TolvTest::WaitUntil(
        [&] { return Flib::OwnedHandle(::OpenProcess(SYNCHRONIZE, FALSE, exitedId)).Get() == nullptr; }, 5000))
        << "the ended process can still be opened";

    for (const DWORD id : {DWORD{0}, exitedId}) {
        TargetWindowInfo target;
        target.FillFromProcess(id);
        EXPECT_EQ(target.processId, id);
        EXPECT_EQ(target.fullPath, L"") << "process " << id;
        EXPECT_EQ(target.fileName, L"") << "process " << id;
        EXPECT_EQ(target.isWow64, FALSE) << "process " << id;
        EXPECT_EQ(ArchitectureLabel(target, true), L"64bit");
    }
}

// Windows of this process, made without showing them.
class TargetFromWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_NE(TolvTest::RegisterTestWindowClass(kClassName), 0); }

    static HWND Create(const std::wstring& title) { return TolvTest::CreateHiddenWindow(kClassName, title); }

    static constexpr wchar_t kClassName[] = L"TolvTestDescribedWindow";
};

TEST_F(TargetFromWindowTest, ReadsClassAndTitleCuttingAt2047Characters)
{
    const struct {
        std::wstring title;
        std::wstring expected;
    } cases[] = {
        {L"メモ帳 - 無題", L"メモ帳 - 無題"},
        {L"", L""},
        {std::wstring(3000, L'x'), std::wstring(2047, L'x')},
    };
    for (const auto& c : cases) {
        const HWND window = Create(c.title);
        ASSERT_NE(window, nullptr);
        TargetWindowInfo target;
        target.FillFromWindow(window, 1234);
        EXPECT_EQ(target.windowHandle, window);
        EXPECT_EQ(target.threadId, 1234u);
        EXPECT_EQ(target.className, kClassName);
        EXPECT_EQ(target.windowText, c.expected) << "title of " << c.title.size() << " characters";
        ::DestroyWindow(window);
    }
}

TEST_F(TargetFromWindowTest, NullOrVanishedWindowGivesEmptyTexts)
{
    const HWND vanished = Create(L"soon gone");
    ASSERT_NE(vanished, nullptr);
    ASSERT_TRUE(::DestroyWindow(vanished));

    for (const HWND window : {HWND{nullptr}, vanished}) {
        TargetWindowInfo target;
        target.FillFromWindow(window, 0);
        EXPECT_EQ(target.windowHandle, window);
        EXPECT_EQ(target.className, L"");
        EXPECT_EQ(target.windowText, L"");
    }
}

TEST_F(TargetFromWindowTest, TitleOfAWindowOfThisProcessIsReadWithoutItsThread)
{
    // Created on this thread, which then does not pump messages, as the main
    // thread does while it waits for the watcher at shutdown.
    const HWND window = Create(L"設定 - 自分の窓");
    ASSERT_NE(window, nullptr);
    std::future<TargetWindowInfo> described =
        std::async(std::launch::async, [window] { return DescribeWindow(window); });
    const bool answered = described.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    if (!answered) {
        // Let a message sent to this thread through, so the other thread can end.
        MSG message;
        while (described.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
            ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
        }
    }
    EXPECT_TRUE(answered) << "the title was read through a message to this thread";
    EXPECT_EQ(described.get().windowText, L"設定 - 自分の窓");
    ::DestroyWindow(window);
}

} // namespace
