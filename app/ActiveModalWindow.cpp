#include "app/ActiveModalWindow.h"

namespace Tolv {

HWND ActiveModalWindow = nullptr;

} // namespace Tolv
