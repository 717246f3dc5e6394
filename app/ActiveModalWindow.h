#pragma once
// The one modal thing tolv has open at a time: the settings sheet, the about
// box or the tray menu (main thread only). While it runs, tray clicks and
// commands bring its window to the front instead of doing anything else: a
// second sheet or box inside the first would clear the state the first one uses.
#include <windows.h>

namespace Tolv {

class ActiveModalWindow {
public:
    ActiveModalWindow() = default;
    ActiveModalWindow(const ActiveModalWindow&) = delete;
    ActiveModalWindow& operator=(const ActiveModalWindow&) = delete;

    // Runs `show` as the modal thing, from before its window exists until after
    // it has closed, unless one runs already: that one comes forward instead.
    // True when `show` ran.
    template <typename Show>
    bool Run(Show show)
    {
        if (BringForward()) {
            return false;
        }
        const Running running(*this);
        show();
        return true;
    }

    // True while one runs; brings its window, once it has one, to the front.
    bool BringForward() const;
    // The running one's window has been created (the menu has none).
    void Shows(HWND window);
    // Null when none runs or it has no window yet.
    HWND Window() const { return window_; }
    bool IsRunning() const { return running_; }

private:
    struct Running {
        explicit Running(ActiveModalWindow& modal) : modal_(modal) { modal_.running_ = true; }
        ~Running()
        {
            modal_.running_ = false;
            modal_.window_ = nullptr;
        }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
        ActiveModalWindow& modal_;
    };

    bool running_ = false;
    HWND window_ = nullptr;
};

} // namespace Tolv
