#pragma once
// The pages of the settings sheet, in tab order: the one place that lists them.
#include <windows.h>

#include <cstddef>
#include <memory>

#include "app/settings/PageProtocol.h"
#include "configuration/CConfigurations.h"

namespace Tolv {

struct SettingsPageKind {
    int dialogId;
    UINT titleId;
    // The page object for one run of the sheet, editing `edited`.
    std::unique_ptr<SettingsPage> (*make)(Configuration::CConfigurations& edited);
};

constexpr std::size_t kSettingsPageCount = 5;
extern const SettingsPageKind kSettingsPages[kSettingsPageCount];

} // namespace Tolv
