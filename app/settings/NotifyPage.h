#pragma once
#include <windows.h>

namespace Tolv {

// The "通知設定" page: the balloon switch and the seven facts a balloon lists.
INT_PTR CALLBACK NotifyPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace Tolv
