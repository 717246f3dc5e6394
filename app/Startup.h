#pragma once
#include <windows.h>

#include <string>

namespace Tolv {

// The whole life of the program on the main thread; returns the exit code.
int RunApplication(HINSTANCE instance);

// True to go on: the settings file exists, or the user says the OS is prepared.
// No opens the help page; No and Cancel end the program.
bool FirstRunCheck(HINSTANCE instance, const std::wstring& title, const std::wstring& settingsPath);

} // namespace Tolv
