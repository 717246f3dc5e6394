#include "app/TrayMenuState.h"

#include "resources/ResourceIds.h"

namespace Tolv {

void ShowStateInTrayMenu(Flib::Windows::Window::CMenu& popup, bool paused, bool startsWithWindows)
{
    popup.CheckItem(IDM_PAUSE, MF_BYCOMMAND | (paused ? MF_CHECKED : MF_UNCHECKED));
    popup.CheckItem(IDM_START_WITH_WINDOWS, MF_BYCOMMAND | (startsWithWindows ? MF_CHECKED : MF_UNCHECKED));
}

} // namespace Tolv
