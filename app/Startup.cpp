#include "app/Startup.h"

#include <shellapi.h>

#include <stdexcept>
#include <utility>

#include "app/ExitCodes.h"
#include "app/MainWindow.h"
#include "flib/Owned.h"
#include "flib/io/CIniFile.h"
#include "flib/window/CWindowEx.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Flib::IO::File::CIniFile;
using Flib::Windows::Window::LoadResourceString;

bool FirstRunCheck(HINSTANCE instance, const std::wstring& title, const std::wstring& settingsPath)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(settingsPath.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        ::FindClose(search);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            return true;
        }
    }
    std::wstring question;
    LoadResourceString(instance, IDS_FIRST_RUN_QUESTION, question);
    const int answer = ::MessageBoxW(nullptr, question.c_str(), title.c_str(), MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDYES) {
        return true;
    }
    if (answer == IDNO) {
        std::wstring address;
        LoadResourceString(instance, IDS_HELP_URL, address);
        ::ShellExecuteW(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
    return false;
}

namespace {

bool RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = Flib::Windows::Window::StaticWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TOLV));
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kMainWindowClass;
    windowClass.hIconSm = static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_TOLV), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    return ::RegisterClassExW(&windowClass) != 0;
}

// Held for the whole run; one per logon session, as the main window is.
constexpr wchar_t kSingleInstanceMutex[] = L"Local\\CID_TOLVSWITCHER";
constexpr DWORD kFindFirstInstanceMs = 3000;

// Another start of this session got here first: its window, or its first-run
// box while that is still open, comes to the front. It may be a moment before
// either exists.
void RaiseFirstInstance(const std::wstring& title)
{
    const ULONGLONG deadline = ::GetTickCount64() + kFindFirstInstanceMs;
    for (;;) {
        HWND found = ::FindWindowW(kMainWindowClass, title.c_str());
        if (found == nullptr) {
            found = ::FindWindowW(L"#32770", title.c_str());
        }
        if (found != nullptr) {
            ::SetForegroundWindow(found);
            return;
        }
        if (::GetTickCount64() >= deadline) {
            return;
        }
        ::Sleep(50);
    }
}

} // namespace

int RunApplication(HINSTANCE instance)
{
    std::wstring title;
    LoadResourceString(instance, IDS_APP_TITLE, title);

    if (HWND running = ::FindWindowW(kMainWindowClass, title.c_str())) {
        ::SetForegroundWindow(running);
        return kExitAlreadyRunning;
    }

    // Taken before the first-run question: FindWindowW alone lets two starts
    // at once both through, since the window only exists after the question.
    const Flib::OwnedHandle singleInstance(::CreateMutexW(nullptr, FALSE, kSingleInstanceMutex));
    if (singleInstance && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        RaiseFirstInstance(title);
        return kExitAlreadyRunning;
    }

    std::wstring settingsPath;
    try {
        CIniFile::GenerateIniFileFullPathForApplicationData(L"Orvane-Works", L"tolv", L"tolv.ini", settingsPath);
    } catch (const std::domain_error&) {
        // Without a place for the settings there is nothing sound to run.
        std::wstring text;
        LoadResourceString(instance, IDS_NO_SETTINGS_FOLDER, text);
        ::MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
        return kExitNoSettingsFolder;
    }

    if (!FirstRunCheck(instance, title, settingsPath)) {
        return kExitDeclinedFirstRun;
    }
    if (!RegisterMainWindowClass(instance)) {
        return kExitWindowFailed;
    }

    // The program's parts live in the main window, and end with it as this scope ends.
    MainWindow mainWindow(instance, std::move(settingsPath));
    // Never shown: the program lives in the notification area.
    if (mainWindow.Create(kMainWindowClass, title) == nullptr) {
        return kExitWindowFailed;
    }

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }

    if (::IsWindow(mainWindow.GetHandle())) {
        mainWindow.Destroy();
    }
    return kExitNormal;
}

} // namespace Tolv
