#pragma once
#include <windows.h>

#include <functional>

#include "configuration/CConfigurations.h"

namespace Tolv {

// The modal settings sheet owned by `owner`, on a deep copy of `live`; returns
// when the sheet closes. Only OK hands the edited copy to `apply` (the main
// window's takes the engine lock, Assign()s it and clears the processed
// memories); Cancel or closing applies nothing. Sets ActiveModalWindow while
// the sheet is open and clears it afterwards.
void ShowSettingsSheet(HINSTANCE instance, HWND owner, const Configuration::CConfigurations& live,
                       const std::function<void(const Configuration::CConfigurations& edited)>& apply);

} // namespace Tolv
