#pragma once
#include <windows.h>

#include <string>

namespace Flib { namespace Windows { namespace Window {

// Loads string resource `id` into `out`; returns its length, 0 (and an empty
// string) when the id does not exist. Texts are cut to 4095 characters.
int LoadResourceString(HINSTANCE instance, UINT id, std::wstring& out);

}}} // namespace Flib::Windows::Window
