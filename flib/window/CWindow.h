#pragma once
// Thin object wrapper around one window handle. The object never destroys its
// window (call Destroy for that); it owns only the font made by MakeFont, and
// so is never copied.
#include <windows.h>

#include <string>

#include "flib/Owned.h"
#include "flib/window/CToolTips.h"

namespace Flib { namespace Windows { namespace Window {

class CWindow {
public:
    CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    virtual ~CWindow();
    virtual BOOL Destroy();
    virtual BOOL Show(int command);
    virtual HWND GetParent();
    virtual HWND SetParent(HWND newParent);
    virtual BOOL Enable(BOOL enable);
    virtual BOOL IsEnabled();
    virtual HWND SetFocus();
    virtual BOOL SetForeground();
    virtual BOOL SetPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    virtual BOOL GetClientRect(RECT* rect);
    virtual BOOL GetWindowRect(RECT* rect);
    virtual BOOL GetPlacement(WINDOWPLACEMENT* placement);
    virtual BOOL Move(int x, int y, int width, int height, BOOL repaint);
    virtual BOOL ScreenToClient(POINT* point);
    virtual BOOL Post(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL Update();
    virtual BOOL Redraw(const RECT* rect, HRGN region, UINT flags);
    virtual HDC GetDC();
    virtual BOOL SetLayeredAttributes(COLORREF key, BYTE alpha, DWORD flags);
    virtual BOOL UpdateLayered(HDC destination, POINT* position, SIZE* size, HDC source, POINT* sourcePoint,
                               COLORREF key, BLENDFUNCTION* blend, DWORD flags);
    virtual BOOL Animate(DWORD time, DWORD flags);
    virtual HMENU GetMenu();
    virtual HMENU GetSystemMenu(BOOL revert);
    virtual LONG GetLong(int index);
    virtual LONG SetLong(int index, LONG value);
    virtual LONG_PTR GetLongPtr(int index);
    virtual LONG_PTR SetLongPtr(int index, LONG_PTR value);
    virtual int GetText(std::wstring& text);
    virtual BOOL SetText(const std::wstring& text);
    virtual void DragAcceptFiles(BOOL accept);
    virtual int ShowMessage(const std::wstring& text, const std::wstring& caption, UINT type);
    virtual int SetRegion(HRGN region, BOOL redraw);
    virtual HINSTANCE GetInstance();
    virtual HWND GetHandle();
    virtual HWND GetParentCached();
    virtual BOOL SetPosition(int x, int y);
    virtual BOOL GetPosition(POINT* point);
    virtual BOOL SetSize(int cx, int cy);
    virtual BOOL SetClientSize(int width, int height);
    virtual HFONT MakeFont(const LOGFONTW& font, BOOL redraw);
    virtual BOOL LoadIcons(UINT smallId, UINT largeId);
    virtual BOOL SetIcons(HICON smallIcon, HICON largeIcon);
    virtual BOOL SetAlpha(BYTE alpha);
    virtual bool SetToolTipFromResource(UINT stringId, bool wide, UINT autoPopMs);
    virtual bool SetToolTip(const std::wstring& text, bool wide, UINT autoPopMs);

    // Set by the owner before the window is created or attached.
    void SetInstance(HINSTANCE instance) { instance_ = instance; }
    void SetHandle(HWND handle) { handle_ = handle; }
    CToolTips& ToolTips() { return tooltips_; }

protected:
    HWND handle_;
    HWND parent_;
    HINSTANCE instance_;
    CToolTips tooltips_;

private:
    static void DeleteFontHandle(HFONT font) { ::DeleteObject(font); }
    Owned<HFONT, DeleteFontHandle> font_;
};

}}} // namespace Flib::Windows::Window
