#include "flib/window/CToolTips.h"

#include <vector>

namespace Flib { namespace Windows { namespace Window {

namespace {
constexpr int kStringBufferLength = 4096;
}

CToolTips::CToolTips() : tooltip_(nullptr), owner_(nullptr), instance_(nullptr), tool_{} {}

CToolTips::~CToolTips() = default; // the tooltip window lives on with its owner

void CToolTips::BeginTool(HWND tool)
{
    tool_ = TTTOOLINFOW{};
    tool_.cbSize = sizeof(TTTOOLINFOW);
    tool_.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool_.hwnd = ::GetParent(tool);
    tool_.uId = reinterpret_cast<UINT_PTR>(tool);
    ::GetClientRect(tool, &tool_.rect);
}

HWND CToolTips::AddToolFromResource(HINSTANCE instance, HWND tool, UINT stringId, bool wide, UINT autoPopMs)
{
    BeginTool(tool);
    std::vector<wchar_t> buffer(kStringBufferLength, L'\0');
    ::LoadStringW(instance, stringId, buffer.data(), kStringBufferLength);
    // The control copies the text on TTM_ADDTOOLW, so a local copy is enough.
    std::wstring text(buffer.data());
    tool_.hinst = instance;
    tool_.lpszText = text.data();
    return Create(instance, tool, wide, autoPopMs);
}

HWND CToolTips::AddTool(HINSTANCE instance, HWND tool, const std::wstring& text, bool wide, UINT autoPopMs)
{
    BeginTool(tool);
    tool_.hinst = nullptr;
    tool_.lpszText = const_cast<wchar_t*>(text.c_str());
    return Create(instance, tool, wide, autoPopMs);
}

BOOL CToolTips::Destroy()
{
    if (tooltip_ == nullptr) {
        return FALSE;
    }
    const BOOL result = ::DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    return result;
}

HWND CToolTips::Create(HINSTANCE instance, HWND owner, bool wide, UINT autoPopMs)
{
    instance_ = instance;
    owner_ = owner;
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
    tooltip_ = ::CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 owner, nullptr, instance, nullptr);
    if (tooltip_ == nullptr) {
        return nullptr;
    }
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool_));
    if (wide) {
        ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, ::GetSystemMetrics(SM_CXSCREEN));
    }
    ::SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(autoPopMs & 0xFFFF, 0));
    ::SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
    return tooltip_;
}

}}} // namespace Flib::Windows::Window
