#pragma once
// A top-level window bound to its object: the object is the window's creation
// parameter, and every message from WM_NCCREATE on goes to its HandleMessage.
#include <windows.h>

#include "flib/window/CWindow.h"

namespace Flib { namespace Windows { namespace Window {

class CWindowEx : public CWindow {
public:
    CWindowEx() = default;
    CWindowEx(const CWindowEx&) = delete;
    CWindowEx& operator=(const CWindowEx&) = delete;

    // The messages of the bound window, up to and including WM_NCDESTROY; the
    // handle is set before the first. By default what DefWindowProcW does.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
};

// The session-wide named event "Flib::Window::CWindowEx": auto-reset, created
// signalled before the entry point; it serialises window creation in every
// process that opens the same name. Null when it could not be created.
HANDLE CreationEvent();
// How long a creation waits for the event before it goes on without it.
constexpr DWORD kCreationEventWaitMs = 3000;

// Class procedure for CWindowEx windows: routes each message to the object
// that CreateWindowExBound made the creation parameter. No exception leaves it:
// one during WM_NCCREATE or WM_CREATE makes the creation fail.
LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates a window of a class whose procedure is StaticWindowProc, bound to
// `object`: waits for the event (at most kCreationEventWaitMs), creates, leaves
// the event signalled. The event carries nothing: the object travels with the window.
HWND CreateWindowExBound(CWindowEx& object, DWORD exStyle, const wchar_t* className, const wchar_t* title,
                         DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu);

}}} // namespace Flib::Windows::Window
