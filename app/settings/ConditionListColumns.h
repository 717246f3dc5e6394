#pragma once
// The columns of a condition list: 対象, 条件 and, on the per-application page, IME.
#include <windows.h>

#include "flib/window/CListView.h"

namespace Tolv {

// 対象 fits the longest match-type name in the list's own font, IME gets a
// width in dialog units of `page`, and 条件 takes what is left of the list.
void SetConditionColumns(Flib::Windows::Window::CListView& list, HWND page, HINSTANCE instance, bool imeColumn);

} // namespace Tolv
