#include "app/MainWindow.h"

#include "resources/ResourceIds.h"

namespace Tolv {

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_EXIT) {
            ::PostQuitMessage(0);
            return 0;
        }
        break;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace Tolv
