// A Store app stand-in: a frame of class "ApplicationFrameWindow" in this process
// hosting a "Windows.UI.Core.CoreWindow" child owned by another process.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "target/TargetWindowInfo.h"
#include "tests/support/KeyLogProcess.h"
#include "tests/support/KeyLoggers.h"
#include "tests/support/TestWindows.h"

namespace {

using Engine::DescribeWindow;
using Engine::TargetWindowInfo;
using TolvTest::KeyLogBuild;
using TolvTest::KeyLogProcess;
using TolvTest::SamePath;

constexpr wchar_t kFrameClass[] = L"ApplicationFrameWindow";
constexpr wchar_t kOtherClass[] = L"TolvTestPlainFrame";
constexpr wchar_t kAppWindowClass[] = L"Windows.UI.Core.CoreWindow";

std::wstring ExePathOf(DWORD processId)
{
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process != nullptr) {
        ::QueryFullProcessImageNameW(process, 0, path, &size);
        ::CloseHandle(process);
    }
    return path;
}

class StoreAppTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The parameterised suite derived from this one registers again.
        for (const wchar_t* className : {kFrameClass, kOtherClass, kAppWindowClass}) {
            if (TolvTest::RegisterTestWindowClass(className) == 0) {
                ASSERT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
            }
        }
    }

    void TearDown() override
    {
        for (const HWND window : made) {
            ::DestroyWindow(window);
        }
    }

    HWND Frame(const wchar_t* className)
    {
        const HWND frame = TolvTest::CreateHiddenWindow(className, L"電卓");
        made.push_back(frame);
        return frame;
    }

    // The app's window moved into the frame, as the host does with it.
    static bool Host(HWND frame, const KeyLogProcess& app)
    {
        return app.Window() != nullptr && ::SetParent(app.Window(), frame) != nullptr &&
               ::GetAncestor(app.Window(), GA_PARENT) == frame;
    }

    std::vector<HWND> made;
};

struct AppCase {
    const char* name;
    KeyLogBuild build;
    BOOL isWow64;
};

void PrintTo(const AppCase& c, std::ostream* out) { *out << c.name; }

class StoreAppProcessTest : public StoreAppTest, public ::testing::WithParamInterface<AppCase> {};

TEST_P(StoreAppProcessTest, ProcessFactsComeFromTheAppAndWindowFactsStayTheFrames)
{
    const AppCase& c = GetParam();
    if (!KeyLogProcess::Available(c.build)) {
        GTEST_SKIP() << TolvTest::kNo32BitKeyLogger;
    }
    const HWND frame = Frame(kFrameClass);
    ASSERT_NE(frame, nullptr);
    KeyLogProcess app(c.build, kAppWindowClass, L"app");
    ASSERT_TRUE(Host(frame, app));

    const TargetWindowInfo target = DescribeWindow(frame);

    EXPECT_EQ(target.processId, app.Id());
    EXPECT_TRUE(SamePath(target.fullPath, app.ExePath())) << target.fullPath.c_str();
    // What a file-name rule on the app's executable tests.
    const std::wstring exeName = app.ExePath().substr(app.ExePath().find_last_of(L'\\') + 1);
    EXPECT_TRUE(target.fileName == exeName || target.fileName == exeName.substr(0, exeName.size() - 4))
        << target.fileName.c_str();
    EXPECT_EQ(target.isWow64, c.isWow64);
    // What a class or title rule on the frame tests.
    EXPECT_EQ(target.windowHandle, frame);
    EXPECT_EQ(target.threadId, ::GetCurrentThreadId());
    EXPECT_EQ(target.className, kFrameClass);
    EXPECT_EQ(target.windowText, L"電卓");
}

INSTANTIATE_TEST_SUITE_P(Builds, StoreAppProcessTest,
                         ::testing::Values(AppCase{"Native64", KeyLogBuild::Native, FALSE},
                                           AppCase{"Wow64", KeyLogBuild::Wow64, TRUE}),
                         [](const ::testing::TestParamInfo<AppCase>& info) { return std::string(info.param.name); });

TEST_F(StoreAppTest, WithoutAnAppWindowOfAnotherProcessTheWindowsOwnProcessDescribesIt)
{
    const std::wstring ownPath = ExePathOf(::GetCurrentProcessId());
    ASSERT_FALSE(ownPath.empty());

    const HWND emptyFrame = Frame(kFrameClass);
    const HWND frameWithOwnChild = Frame(kFrameClass);
    const HWND plainWindow = Frame(kOtherClass);
    ASSERT_NE(emptyFrame, nullptr);
    ASSERT_NE(frameWithOwnChild, nullptr);
    ASSERT_NE(plainWindow, nullptr);
    const HWND ownChild = ::CreateWindowExW(0, kAppWindowClass, L"", WS_CHILD, 0, 0, 10, 10, frameWithOwnChild,
                                            nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(ownChild, nullptr);
    // Only a Store app's frame hands its description to the app.
    KeyLogProcess foreign(KeyLogBuild::Native, kAppWindowClass, L"app");
    ASSERT_TRUE(Host(plainWindow, foreign));

    for (const HWND window : {emptyFrame, frameWithOwnChild, plainWindow}) {
        const TargetWindowInfo target = DescribeWindow(window);
        EXPECT_EQ(target.processId, ::GetCurrentProcessId()) << "window " << window;
        EXPECT_TRUE(SamePath(target.fullPath, ownPath)) << target.fullPath.c_str();
        EXPECT_EQ(target.windowHandle, window);
    }
}

} // namespace
