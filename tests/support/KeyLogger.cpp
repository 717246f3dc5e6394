// A test target: a top-level window that appends every key message it receives
// to a log file, one line per message: "<message> <virtual key> <scan code> <up>".
// Usage: tolv_keylog.exe <class name> <title> <log file>
// Built both 64-bit and 32-bit, so it includes nothing of the project.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;

void Record(UINT message, WPARAM wParam, LPARAM lParam)
{
    const unsigned scan = static_cast<unsigned>((lParam >> 16) & 0xFF);
    const unsigned up = (message == WM_KEYUP || message == WM_SYSKEYUP) ? 1 : 0;
    char line[64];
    const int length = std::snprintf(line, sizeof(line), "%u %u %u %u\n", message, static_cast<unsigned>(wParam),
                                     scan, up);
    DWORD written = 0;
    // Unbuffered: the test reads the file while this process runs.
    ::WriteFile(logFile, line, static_cast<DWORD>(length), &written, nullptr);
}

LRESULT CALLBACK LoggerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        Record(message, wParam, lParam);
        // Not to DefWindowProc: a lone Alt would open the system menu and swallow later keys.
        return 0;
    case WM_SYSCHAR:
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return 2;
    }
    if (count != 4) {
        ::LocalFree(arguments);
        return 2;
    }
    logFile = ::CreateFileW(arguments[3], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (logFile == INVALID_HANDLE_VALUE) {
        ::LocalFree(arguments);
        return 3;
    }

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = LoggerProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = arguments[1];
    HWND window = nullptr;
    if (::RegisterClassExW(&windowClass) != 0) {
        window = ::CreateWindowExW(0, arguments[1], arguments[2], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 320,
                                   160, nullptr, nullptr, instance, nullptr);
    }
    ::LocalFree(arguments);
    if (window == nullptr) {
        ::CloseHandle(logFile);
        return 4;
    }

    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::CloseHandle(logFile);
    return 0;
}
