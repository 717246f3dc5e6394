#pragma once
#include <string>

#include "flib/io/CKeys.h"

namespace Tolv {

// The keys as the IME page shows them: "Alt + Shift + 1"; empty for no keys.
std::wstring HotkeyText(const Flib::IO::Input::CKeys& keys);

} // namespace Tolv
