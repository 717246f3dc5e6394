#pragma once
// Texts the pages offer as choices, rebuilt each time the settings sheet opens
// (main thread only).
#include <windows.h>

#include <string>
#include <vector>

#include "configuration/CImes.h"

namespace Tolv {

// Display names of the match types, indexed by the match type value.
extern std::vector<std::wstring> MatchTypeNames;
// Names of the live IME slots as they were when the sheet opened, in slot order.
extern std::vector<std::wstring> ImeSlotLabels;

void RebuildMatchTypeNames(HINSTANCE instance);
void RebuildImeSlotLabels(const Configuration::CImes& imes);

} // namespace Tolv
