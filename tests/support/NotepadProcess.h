#pragma once
// Wine's own notepad as a real program nobody here wrote: it types what it is sent.
#include <windows.h>

#include <string>

#include "flib/Owned.h"

namespace TolvTest {

class NotepadProcess {
public:
    // Starts notepad.exe and waits for its main window to come to the front;
    // Window() is null if it never came.
    NotepadProcess();
    // Ends the process: closing it with text typed would ask whether to save.
    ~NotepadProcess();
    NotepadProcess(const NotepadProcess&) = delete;
    NotepadProcess& operator=(const NotepadProcess&) = delete;

    HWND Window() const { return window_; }
    // The text of its edit control, read from this process.
    std::wstring Text() const;

private:
    Flib::OwnedHandle process_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

} // namespace TolvTest
