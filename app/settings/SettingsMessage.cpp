#include "app/settings/SettingsMessage.h"

#include "flib/window/FillIn.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

int ShowSettingsMessage(HINSTANCE instance, HWND owner, UINT textId, std::initializer_list<std::wstring> values, UINT type)
{
    std::wstring pattern;
    std::wstring caption;
    Flib::Windows::Window::LoadResourceString(instance, textId, pattern);
    Flib::Windows::Window::LoadResourceString(instance, IDS_APP_TITLE, caption);
    return ::MessageBoxW(owner, Flib::Windows::Window::FillIn(pattern, values).c_str(), caption.c_str(), type);
}

} // namespace Tolv
