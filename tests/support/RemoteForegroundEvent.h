#pragma once
// The foreground event raised inside another process, as Windows raises it in
// every process that hooks it: a small library is loaded into that process and
// a thread started there raises the event.
#include <windows.h>

#include "flib/Owned.h"

namespace TolvTest {

class RemoteForegroundEvent {
public:
    // Loads the raiser into process `processId`; Ready() tells whether that worked.
    explicit RemoteForegroundEvent(DWORD processId);
    // Unloads it again.
    ~RemoteForegroundEvent();
    RemoteForegroundEvent(const RemoteForegroundEvent&) = delete;
    RemoteForegroundEvent& operator=(const RemoteForegroundEvent&) = delete;

    bool Ready() const { return raise_ != nullptr; }
    // Makes `window` the foreground window and, once it is, raises
    // EVENT_SYSTEM_FOREGROUND for it in the other process. False when it could not.
    bool ChangeForegroundWithEvent(HWND window) const;

private:
    // Runs `start` with `argument` on a new thread of the process and waits for it.
    bool RunThread(LPTHREAD_START_ROUTINE start, LPVOID argument) const;

    Flib::OwnedHandle process_;
    HMODULE module_ = nullptr; // the raiser's base address in the other process
    LPTHREAD_START_ROUTINE raise_ = nullptr;
};

} // namespace TolvTest
