#pragma once
#include <windows.h>

namespace Tolv {

// The "システム設定" page: send type and processed policy of the edited copy.
INT_PTR CALLBACK SystemPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace Tolv
