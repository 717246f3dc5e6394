#pragma once
// A top-level window whose messages go to an application-supplied procedure,
// bound to its object by the creation handshake below.
#include <windows.h>

#include "flib/window/CWindow.h"

namespace Flib { namespace Windows { namespace Window {

class CWindowEx : public CWindow {
public:
    CWindowEx();

    void SetWindowProc(WNDPROC procedure) { procedure_ = procedure; }
    WNDPROC GetWindowProc() const { return procedure_; }
    void SetUserData(void* data) { userData_ = data; }
    void* GetUserData() const { return userData_; }

private:
    WNDPROC procedure_;
    void* userData_;
};

// Auto-reset, created signalled before the entry point; serialises window
// creation in every process that opens the same name.
extern HANDLE CreationEvent;
// How long a creation waits for the event before it goes on without it.
constexpr DWORD kCreationEventWaitMs = 3000;
extern CWindowEx* WindowUnderCreation;

// Class procedure for CWindowEx windows: forwards the messages before WM_CREATE
// to WindowUnderCreation's procedure; on WM_CREATE binds the handle, installs
// that procedure on the window and calls it with the object as lParam.
LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The owner's side of the handshake: wait for the event (at most
// kCreationEventWaitMs), create, leave the event signalled.
HWND CreateWindowExBound(CWindowEx& object, DWORD exStyle, const wchar_t* className, const wchar_t* title,
                         DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu);

}}} // namespace Flib::Windows::Window
