#pragma once
// The one tooltip window that a CWindow may carry.
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace Flib { namespace Windows { namespace Window {

class CToolTips {
public:
    CToolTips();
    virtual ~CToolTips();
    CToolTips(const CToolTips&) = default;
    CToolTips& operator=(const CToolTips&) = default;

    virtual HWND AddToolFromResource(HINSTANCE instance, HWND tool, UINT stringId, bool wide, UINT autoPopMs);
    virtual HWND AddTool(HINSTANCE instance, HWND tool, const std::wstring& text, bool wide, UINT autoPopMs);
    virtual BOOL Destroy();
    virtual HWND Create(HINSTANCE instance, HWND owner, bool wide, UINT autoPopMs);

    HWND GetHandle() const { return tooltip_; }

private:
    void BeginTool(HWND tool);

    HWND tooltip_;
    HWND owner_;
    HINSTANCE instance_;
    TTTOOLINFOW tool_;
};

// The tooltip control reads the full 64-bit record, lpReserved included.
static_assert(sizeof(TTTOOLINFOW) == 72 || sizeof(void*) != 8, "TTTOOLINFOW must be the 72-byte layout");

}}} // namespace Flib::Windows::Window
