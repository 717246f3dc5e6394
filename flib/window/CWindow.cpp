#include "flib/window/CWindow.h"

#include <shellapi.h>

#include <utility>
#include <vector>

namespace Flib { namespace Windows { namespace Window {

CWindow::CWindow() : handle_(nullptr), parent_(nullptr), instance_(nullptr) {}

CWindow::~CWindow() = default; // the font goes with its owner; the window stays

BOOL CWindow::Destroy()
{
    if (handle_ == nullptr) {
        return FALSE;
    }
    const BOOL result = ::DestroyWindow(handle_);
    handle_ = nullptr;
    return result;
}

BOOL CWindow::Show(int command) { return ::ShowWindow(handle_, command); }
HWND CWindow::GetParent() { return ::GetParent(handle_); }

HWND CWindow::SetParent(HWND newParent)
{
    HWND previous = ::SetParent(handle_, newParent);
    if (previous != nullptr) {
        parent_ = newParent;
    }
    return previous;
}

BOOL CWindow::Enable(BOOL enable) { return ::EnableWindow(handle_, enable); }
BOOL CWindow::IsEnabled() { return ::IsWindowEnabled(handle_); }
HWND CWindow::SetFocus() { return ::SetFocus(handle_); }
BOOL CWindow::SetForeground() { return ::SetForegroundWindow(handle_); }

BOOL CWindow::SetPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(handle_, insertAfter, x, y, cx, cy, flags);
}

BOOL CWindow::GetClientRect(RECT* rect) { return ::GetClientRect(handle_, rect); }
BOOL CWindow::GetWindowRect(RECT* rect) { return ::GetWindowRect(handle_, rect); }

BOOL CWindow::GetPlacement(WINDOWPLACEMENT* placement)
{
    if (placement->length == 0) {
        placement->length = sizeof(WINDOWPLACEMENT);
    }
    return ::GetWindowPlacement(handle_, placement);
}

BOOL CWindow::Move(int x, int y, int width, int height, BOOL repaint)
{
    return ::MoveWindow(handle_, x, y, width, height, repaint);
}

BOOL CWindow::ScreenToClient(POINT* point) { return ::ScreenToClient(handle_, point); }
BOOL CWindow::Post(UINT message, WPARAM wParam, LPARAM lParam) { return ::PostMessageW(handle_, message, wParam, lParam); }
LRESULT CWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) { return ::SendMessageW(handle_, message, wParam, lParam); }
BOOL CWindow::Update() { return ::UpdateWindow(handle_); }
BOOL CWindow::Redraw(const RECT* rect, HRGN region, UINT flags) { return ::RedrawWindow(handle_, rect, region, flags); }
HDC CWindow::GetDC() { return ::GetDC(handle_); }

BOOL CWindow::SetLayeredAttributes(COLORREF key, BYTE alpha, DWORD flags)
{
    return ::SetLayeredWindowAttributes(handle_, key, alpha, flags);
}

BOOL CWindow::UpdateLayered(HDC destination, POINT* position, SIZE* size, HDC source, POINT* sourcePoint,
                            COLORREF key, BLENDFUNCTION* blend, DWORD flags)
{
    return ::UpdateLayeredWindow(handle_, destination, position, size, source, sourcePoint, key, blend, flags);
}

BOOL CWindow::Animate(DWORD time, DWORD flags) { return ::AnimateWindow(handle_, time, flags); }
HMENU CWindow::GetMenu() { return ::GetMenu(handle_); }
HMENU CWindow::GetSystemMenu(BOOL revert) { return ::GetSystemMenu(handle_, revert); }
LONG CWindow::GetLong(int index) { return ::GetWindowLongW(handle_, index); }
LONG CWindow::SetLong(int index, LONG value) { return ::SetWindowLongW(handle_, index, value); }
LONG_PTR CWindow::GetLongPtr(int index) { return ::GetWindowLongPtrW(handle_, index); }
LONG_PTR CWindow::SetLongPtr(int index, LONG_PTR value) { return ::SetWindowLongPtrW(handle_, index, value); }

int CWindow::GetText(std::wstring& text)
{
    const int length = ::GetWindowTextLengthW(handle_);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(handle_, buffer.data(), length + 1);
    text.assign(buffer.data());
    return copied;
}

BOOL CWindow::SetText(const std::wstring& text) { return ::SetWindowTextW(handle_, text.c_str()); }
void CWindow::DragAcceptFiles(BOOL accept) { ::DragAcceptFiles(handle_, accept); }

int CWindow::ShowMessage(const std::wstring& text, const std::wstring& caption, UINT type)
{
    return ::MessageBoxW(handle_, text.c_str(), caption.c_str(), type);
}

int CWindow::SetRegion(HRGN region, BOOL redraw) { return ::SetWindowRgn(handle_, region, redraw); }
HINSTANCE CWindow::GetInstance() { return instance_; }
HWND CWindow::GetHandle() { return handle_; }

HWND CWindow::GetParentCached()
{
    if (parent_ == nullptr) {
        parent_ = GetParent();
    }
    return parent_;
}

BOOL CWindow::SetPosition(int x, int y) { return SetPos(nullptr, x, y, 0, 0, SWP_NOSIZE); }

BOOL CWindow::GetPosition(POINT* point)
{
    RECT rect{};
    const BOOL result = GetWindowRect(&rect);
    point->x = rect.left;
    point->y = rect.top;
    return result;
}

BOOL CWindow::SetSize(int cx, int cy) { return SetPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE); }

BOOL CWindow::SetClientSize(int width, int height)
{
    RECT window{};
    RECT client{};
    GetWindowRect(&window);
    GetClientRect(&client);
    const int frameWidth = (window.right - window.left) - (client.right - client.left);
    const int frameHeight = (window.bottom - window.top) - (client.bottom - client.top);
    return SetPos(nullptr, 0, 0, width + frameWidth, height + frameHeight, SWP_NOMOVE);
}

HFONT CWindow::MakeFont(const LOGFONTW& font, BOOL redraw)
{
    Owned<HFONT, DeleteFontHandle> made(::CreateFontIndirectW(&font));
    if (!made) {
        return nullptr; // the font already held stays in use
    }
    // The object owns one font: a replaced one is deleted once the window uses the new one.
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(made.Get()), MAKELPARAM(redraw, 0));
    font_ = std::move(made);
    return font_.Get();
}

BOOL CWindow::LoadIcons(UINT smallId, UINT largeId)
{
    HICON smallIcon = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(smallId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    HICON largeIcon = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(largeId != 0 ? largeId : smallId),
                                                      IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    return SetIcons(smallIcon, largeIcon);
}

BOOL CWindow::SetIcons(HICON smallIcon, HICON largeIcon)
{
    LRESULT smallResult = 1;
    LRESULT largeResult = 1;
    if (smallIcon != nullptr) {
        smallResult = Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    }
    if (largeIcon != nullptr) {
        largeResult = Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon));
    }
    return smallResult != 0 && largeResult != 0;
}

BOOL CWindow::SetAlpha(BYTE alpha) { return ::SetLayeredWindowAttributes(handle_, 0, alpha, LWA_ALPHA); }

bool CWindow::SetToolTipFromResource(UINT stringId, bool wide, UINT autoPopMs)
{
    return tooltips_.AddToolFromResource(instance_, handle_, stringId, wide, autoPopMs) == nullptr;
}

bool CWindow::SetToolTip(const std::wstring& text, bool wide, UINT autoPopMs)
{
    return tooltips_.AddTool(instance_, handle_, text, wide, autoPopMs) == nullptr;
}

}}} // namespace Flib::Windows::Window
