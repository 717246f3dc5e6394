#pragma once
#include <windows.h>

#include <memory>

#include "app/ActiveModalWindow.h"
#include "configuration/CConfigurations.h"

namespace Tolv {

// The modal settings sheet owned by `owner`, on a deep copy of `live`, run as
// `modal`'s window; returns when the sheet closes. OK hands the edited copy
// back (the caller applies it); Cancel or closing gives null.
std::unique_ptr<Configuration::CConfigurations> ShowSettingsSheet(HINSTANCE instance, HWND owner,
                                                                  const Configuration::CConfigurations& live,
                                                                  ActiveModalWindow& modal);

} // namespace Tolv
