#pragma once
// Messages the settings sheet shows when it refuses or questions what the user
// entered: a string of the table with %1, %2 ... filled in.
#include <windows.h>

#include <initializer_list>
#include <string>

namespace Tolv {

// A message box owned by `owner` with string `textId` filled in, under the
// program's title; returns the button pressed.
int ShowSettingsMessage(HINSTANCE instance, HWND owner, UINT textId, std::initializer_list<std::wstring> values, UINT type);

} // namespace Tolv
