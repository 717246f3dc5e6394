#pragma once
#include <windows.h>

#include "configuration/CApplication.h"

namespace Tolv {

// The modal condition dialog ("条件設定") owned by `owner`, on `condition`, a
// temporary the caller owns. `templateId` is IDD_APPLICATION_CONDITION for a
// per-application condition (with the IME choice) or IDD_EXCLUSION_CONDITION.
// OK (1) writes the match type, the expression as typed and, when the
// condition has an IME number, that number into it; an empty expression or a
// pattern that does not compile is refused with a message and the dialog
// stays open. Cancel or closing (2) leaves the condition alone.
INT_PTR RunConditionDialog(HINSTANCE instance, HWND owner, int templateId, Configuration::CApplication& condition);

} // namespace Tolv
