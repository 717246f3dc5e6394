#pragma once
#include <windows.h>

namespace Tolv {

// The "IME切替設定" page: the per-application conditions of the edited copy.
INT_PTR CALLBACK ApplicationListPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace Tolv
