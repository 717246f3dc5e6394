#include "flib/window/CWindowEx.h"

#include "flib/Owned.h"
#include "flib/window/BoundObject.h"

namespace Flib { namespace Windows { namespace Window {

namespace {

// Made by a static initialiser, closed at exit; other programs may hold it too.
const OwnedHandle creationEvent(::CreateEventW(nullptr, FALSE, TRUE, L"Flib::Window::CWindowEx"));

} // namespace

HANDLE CreationEvent() { return creationEvent.Get(); }

LRESULT CWindowEx::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        const Bound<CWindowEx> bound = BoundObject<CWindowEx, WindowCreation>(window, message, lParam);
        if (bound.object == nullptr) {
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
        if (bound.justNow) {
            bound.object->SetHandle(window);
        }
        return bound.object->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system's dispatcher.
        if (message == WM_NCCREATE) {
            return FALSE;
        }
        if (message == WM_CREATE) {
            return -1;
        }
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

HWND CreateWindowExBound(CWindowEx& object, DWORD exStyle, const wchar_t* className, const wchar_t* title,
                         DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu)
{
    // The name is shared by the whole logon session, so any program can hold
    // the event for ever; nothing rides on it, so going on without it after a
    // while costs nothing.
    ::WaitForSingleObject(CreationEvent(), kCreationEventWaitMs);
    HWND window = ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                                    object.GetInstance(), &object);
    object.SetHandle(window);
    ::SetEvent(CreationEvent());
    return window;
}

}}} // namespace Flib::Windows::Window
