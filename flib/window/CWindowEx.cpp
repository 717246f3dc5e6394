#include "flib/window/CWindowEx.h"

#include <cwchar>
#include <string>

namespace Flib { namespace Windows { namespace Window {

CWindowEx::CWindowEx() : procedure_(nullptr), userData_(nullptr) {}

HANDLE CreationEvent = nullptr;
CWindowEx* WindowUnderCreation = nullptr;

namespace {

constexpr wchar_t kCreationEventName[] = L"Flib::Window::CWindowEx";

// Owns the creation event for the life of the process.
class CreationEventHolder {
public:
    CreationEventHolder()
    {
        wchar_t name[256];
        std::wcsncpy(name, kCreationEventName, 255);
        name[255] = L'\0';
        CreationEvent = ::CreateEventW(nullptr, FALSE, TRUE, name);
        if (CreationEvent != nullptr) {
            name_ = name;
        }
    }
    ~CreationEventHolder()
    {
        if (CreationEvent != nullptr) {
            ::CloseHandle(CreationEvent);
            CreationEvent = nullptr;
        }
        name_.clear();
    }
    CreationEventHolder(const CreationEventHolder&) = delete;
    CreationEventHolder& operator=(const CreationEventHolder&) = delete;

private:
    std::wstring name_;
};

const CreationEventHolder creationEventHolder;

} // namespace

LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowEx* object = WindowUnderCreation;
    if (object == nullptr || object->GetWindowProc() == nullptr) {
        return ::DefWindowProcW(window, message, wParam, lParam); // created outside the handshake
    }
    if (message != WM_CREATE) {
        return object->GetWindowProc()(window, message, wParam, lParam);
    }
    object->SetHandle(window);
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(object->GetWindowProc()));
    const LRESULT result = object->GetWindowProc()(window, WM_CREATE, wParam, reinterpret_cast<LPARAM>(object));
    ::SetEvent(CreationEvent);
    return result;
}

HWND CreateWindowExBound(CWindowEx& object, DWORD exStyle, const wchar_t* className, const wchar_t* title,
                         DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu)
{
    // The name is shared by the whole logon session, so any program can hold
    // the event for ever; WindowUnderCreation is this process's own, so going
    // on without the event after a while costs nothing.
    ::WaitForSingleObject(CreationEvent, kCreationEventWaitMs);
    WindowUnderCreation = &object;
    HWND window = ::CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu,
                                    object.GetInstance(), nullptr);
    object.SetHandle(window);
    // Consume the signal WM_CREATE left (or time out if it never came), then
    // leave the event signalled exactly once.
    ::WaitForSingleObject(CreationEvent, 0);
    ::SetEvent(CreationEvent);
    return window;
}

}}} // namespace Flib::Windows::Window
