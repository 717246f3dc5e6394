#pragma once
#include <windows.h>

#include "target/TargetWindowInfo.h"

namespace Tolv {

// The modal "ウィンドウの選択" dialog owned by `owner`: one row per window a
// user can switch to, of every process but this one, front window first, read
// as the dialog opens (a window that closes meanwhile stays a row). True with
// `chosen` holding the facts of the confirmed row (OK, a double click or Enter);
// false for Cancel or closing. OK is disabled while no row is selected.
bool RunPickWindowDialog(HINSTANCE instance, HWND owner, Engine::TargetWindowInfo& chosen);

} // namespace Tolv
