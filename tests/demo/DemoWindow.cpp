#include "tests/demo/DemoWindow.h"

namespace TolvDemo {

namespace {

constexpr wchar_t kClassName[] = L"TolvDemoWindow";

ATOM RegisterOnce(WNDPROC procedure)
{
    static const ATOM atom = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassExW(&windowClass);
    }();
    return atom;
}

} // namespace

DemoWindow::DemoWindow(const std::wstring& title, const std::wstring& rule, int left, int top)
    : title_(title), rule_(rule), status_(L"まだキーは届いていません")
{
    RegisterOnce(Procedure);
    window_ = ::CreateWindowExW(0, kClassName, title.c_str(), WS_OVERLAPPEDWINDOW, left, top, 440, 200, nullptr,
                                nullptr, ::GetModuleHandleW(nullptr), this);
}

void DemoWindow::SetStatus(const std::wstring& status)
{
    status_ = status;
    ::InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK DemoWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* created = static_cast<DemoWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<DemoWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (self != nullptr && (lParam & (1 << 30)) == 0) { // not an auto-repeat
            self->arrived_.push_back({static_cast<UINT>(wParam), static_cast<DWORD>(::GetMessageTime())});
        }
        return 0; // keys only: no menu activation on Alt
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return 0;
    case WM_PAINT:
        if (self != nullptr) {
            self->Paint();
            return 0;
        }
        break;
    case WM_CLOSE:
        return 0; // the demo closes its windows itself
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void DemoWindow::Paint() const
{
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(window_, &paint);
    const HFONT font = ::CreateFontW(-18, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS UI Gothic");
    const HGDIOBJ old = ::SelectObject(dc, font);
    RECT area;
    ::GetClientRect(window_, &area);
    ::InflateRect(&area, -16, -16);
    const std::wstring text = rule_ + L"\n\n" + status_;
    ::DrawTextW(dc, text.c_str(), -1, &area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::EndPaint(window_, &paint);
}

} // namespace TolvDemo
