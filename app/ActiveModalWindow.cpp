#include "app/ActiveModalWindow.h"

namespace Tolv {

bool ActiveModalWindow::BringForward() const
{
    if (window_ != nullptr) {
        ::SetForegroundWindow(window_);
    }
    return running_;
}

void ActiveModalWindow::Shows(HWND window)
{
    // A window opened from inside the running one (a message box, a hotkey dialog) is not it.
    if (running_ && window_ == nullptr) {
        window_ = window;
    }
}

} // namespace Tolv
