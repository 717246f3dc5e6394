#pragma once
// The pages of the settings sheet, in tab order: the one place that lists them.
#include <windows.h>

#include <cstddef>

namespace Tolv {

struct SettingsPage {
    int dialogId;
    UINT titleId;
    DLGPROC procedure;
};

constexpr std::size_t kSettingsPageCount = 5;
extern const SettingsPage kSettingsPages[kSettingsPageCount];

} // namespace Tolv
