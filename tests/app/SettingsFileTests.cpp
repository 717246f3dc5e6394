// The real tolv.exe and its real settings file in the situations that used to
// lose settings: a file another program holds, a process ended after OK, two
// starts at once.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <memory>
#include <string>

#include "app/ExitCodes.h"
#include "resources/ResourceIds.h"
#include "tests/support/SettingsFile.h"
#include "tests/support/TolvProcess.h"
#include "tests/support/Wait.h"

namespace {

using TolvTest::SettingsFileGuard;
using TolvTest::TolvProcess;
using TolvTest::WaitUntil;

constexpr wchar_t kTitle[] = L"トルヴ : 自動IME切り替え機";
constexpr wchar_t kDialogClass[] = L"#32770";
const std::wstring kUserSettings = L"[General]\r\nIme.Count=1\r\nIme[0].Name=Mine\r\nApplication.Count=1\r\n"
                                   L"Application[0].Match=MT_FILENAME\r\nApplication[0].Expression=a.exe\r\n";

// Read while tolv may hold the file: every kind of sharing allowed.
std::string FileBytes(const std::wstring& path)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes(::GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    ::CloseHandle(file);
    return bytes;
}

std::wstring FileText(const std::wstring& path)
{
    const std::string bytes = FileBytes(path);
    if (bytes.size() < 2) {
        return {};
    }
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
}

bool Has(const std::wstring& text, const std::wstring& line) { return text.find(L"\r\n" + line + L"\r\n") != std::wstring::npos; }

class SettingsFileTest : public ::testing::Test {
protected:
    HWND StartAndWaitForMainWindow()
    {
        tolv = std::make_unique<TolvProcess>();
        HWND main = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (main = tolv->FindWindowOfProcess(Tolv::kMainWindowClass, kTitle)) != nullptr; }));
        return main;
    }

    void Exit(HWND main)
    {
        ::PostMessageW(main, WM_COMMAND, IDM_EXIT, 0);
        int code = 1234;
        ASSERT_TRUE(tolv->WaitForExit(15000, code));
        EXPECT_EQ(code, Tolv::kExitNormal);
    }

    SettingsFileGuard settings;
    std::unique_ptr<TolvProcess> tolv;
};

TEST_F(SettingsFileTest, AFileAnotherProgramHoldsForWritingIsReadAndNeverOverwritten)
{
    settings.Write(kUserSettings);
    const std::string before = FileBytes(settings.Path());
    // As a sync client or an editor holds it: writing, others may only read.
    HANDLE writer = ::CreateFileW(settings.Path().c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);

    // Held for the whole run: the exit save gives up and leaves the file alone.
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    Exit(main);
    EXPECT_EQ(FileBytes(settings.Path()), before);

    // Held only while tolv starts: what it read comes back at exit, plus what it adds.
    main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ::CloseHandle(writer);
    Exit(main);
    const std::wstring saved = FileText(settings.Path());
    EXPECT_TRUE(Has(saved, L"Version=1.00")) << "not saved at exit";
    EXPECT_TRUE(Has(saved, L"Ime[0].Name=Mine"));
    EXPECT_TRUE(Has(saved, L"Ime.Count=1"));
    EXPECT_TRUE(Has(saved, L"Application.Count=1"));
    EXPECT_TRUE(Has(saved, L"Application[0].Expression=a.exe"));
}

TEST_F(SettingsFileTest, AFileThatCouldNotBeReadIsNotWrittenAtExit)
{
    settings.Write(kUserSettings);
    const std::string before = FileBytes(settings.Path());
    // Nobody else may even read it while tolv starts.
    HANDLE exclusive = ::CreateFileW(settings.Path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    // Answered once the creation handler, load and its retries included, is over.
    DWORD_PTR result = 0;
    EXPECT_NE(::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &result), 0);
    ::CloseHandle(exclusive);
    Exit(main);
    EXPECT_EQ(FileBytes(settings.Path()), before);
}

TEST_F(SettingsFileTest, AChangeConfirmedWithOkIsInTheFileWhenTheProcessIsKilledRightAfter)
{
    settings.Write(kUserSettings);
    HWND main = StartAndWaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ::PostMessageW(main, WM_COMMAND, IDM_SETTINGS, 0);
    HWND sheet = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (sheet = tolv->FindWindowOfProcess(kDialogClass)) != nullptr && ::IsWindowVisible(sheet); }));

    // The system page: send type Ctrl first instead of Shift first.
    ::SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
    HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(::GetDlgItem(page, IDC_SEND_CTRLFIRST), nullptr);
    ::PostMessageW(::GetDlgItem(page, IDC_SEND_CTRLFIRST), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return ::SendDlgItemMessageW(page, IDC_SEND_CTRLFIRST, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    ::PostMessageW(::GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);

    EXPECT_TRUE(WaitUntil([&] { return Has(FileText(settings.Path()), L"ImeSwitcher.Type=ST_SENDINPUT_CTRLFIRST"); }))
        << "OK did not save";
    tolv.reset(); // ended like Task Manager's End task: no exit save
    const std::wstring saved = FileText(settings.Path());
    EXPECT_TRUE(Has(saved, L"ImeSwitcher.Type=ST_SENDINPUT_CTRLFIRST"));
    EXPECT_TRUE(Has(saved, L"Ime[0].Name=Mine"));
}

TEST_F(SettingsFileTest, TwoStartsAtOnceOnAFirstRunLeaveOneProcess)
{
    ASSERT_FALSE(settings.Exists());
    TolvProcess first;
    TolvProcess second;
    ASSERT_TRUE(WaitUntil([&] { return !first.Running() || !second.Running(); }, 15000)) << "two tolv processes run";
    const TolvProcess& ended = first.Running() ? second : first;
    const TolvProcess& running = first.Running() ? first : second;
    int code = 1234;
    ASSERT_TRUE(ended.WaitForExit(0, code));
    EXPECT_EQ(code, Tolv::kExitAlreadyRunning);
    ASSERT_TRUE(running.Running());

    // The one left asks the first-run question and starts on Yes.
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = running.FindWindowOfProcess(kDialogClass, kTitle)) != nullptr && ::IsWindowVisible(box); }));
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(box, IDYES)));
    HWND main = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (main = running.FindWindowOfProcess(Tolv::kMainWindowClass, kTitle)) != nullptr; }));

    // A third start now meets the running window.
    TolvProcess third;
    ASSERT_TRUE(third.WaitForExit(15000, code));
    EXPECT_EQ(code, Tolv::kExitAlreadyRunning);

    ::PostMessageW(main, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(running.WaitForExit(15000, code));
    EXPECT_EQ(code, Tolv::kExitNormal);
}

} // namespace
