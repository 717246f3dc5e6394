#pragma once
// What tolv.exe returns; a second instance finds the first by its window class and title.
namespace Tolv {

constexpr int kExitNormal = 0;
constexpr int kExitAlreadyRunning = -1;
constexpr int kExitDeclinedFirstRun = -2;
constexpr int kExitWindowFailed = -3;
constexpr int kExitNoSettingsFolder = -4;

constexpr wchar_t kMainWindowClass[] = L"CID_TOLVSWITCHER";

} // namespace Tolv
