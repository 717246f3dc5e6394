#include "app/ActiveModalWindow.h"

namespace Tolv {

HWND ActiveModalWindow = nullptr;

void ReleaseActiveModalWindow(HWND window)
{
    if (ActiveModalWindow == window) {
        ActiveModalWindow = nullptr;
    }
}

} // namespace Tolv
