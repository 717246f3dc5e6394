#pragma once
#include <windows.h>

namespace Tolv {

// The "32/64bit切替設定" page: per-architecture switching of the edited copy and its exclusion list.
INT_PTR CALLBACK ArchitecturePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace Tolv
