#include "engine/SwitchNotification.h"

#include <vector>

#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Engine {

using Flib::Windows::Window::LoadResourceString;

namespace {

std::wstring LoadText(HINSTANCE instance, UINT id)
{
    std::wstring text;
    LoadResourceString(instance, id, text);
    return text;
}

// wsprintfW writes at most 1024 characters whatever the buffer, so one line
// never exceeds 1023; a string that failed to load formats to nothing.
template <typename Argument>
std::wstring Format(HINSTANCE instance, UINT id, std::size_t capacity, Argument argument)
{
    const std::wstring format = LoadText(instance, id);
    if (format.empty()) {
        return std::wstring();
    }
    std::vector<wchar_t> buffer(capacity, L'\0');
    ::wsprintfW(buffer.data(), format.c_str(), argument);
    return std::wstring(buffer.data());
}

constexpr std::size_t kTitleCapacity = 1024;
constexpr std::size_t kLineCapacity = 4096;

} // namespace

std::wstring NotificationDetails(HINSTANCE instance, const Configuration::CNotify& notify, bool is64BitSystem,
                                 const TargetWindowInfo& target)
{
    std::wstring text;
    if (notify.GetShowProcessId()) {
        text += Format(instance, IDS_SWITCH_PROCESSID, kLineCapacity, static_cast<unsigned int>(target.processId));
    }
    if (notify.GetShowSubSystem()) {
        text += Format(instance, IDS_SWITCH_SUBSYSTEM, kLineCapacity,
                       ArchitectureLabel(target, is64BitSystem).c_str());
    }
    if (notify.GetShowFileName()) {
        text += Format(instance, IDS_SWITCH_FILENAME, kLineCapacity, target.fileName.c_str());
    }
    if (notify.GetShowFullPath()) {
        text += Format(instance, IDS_SWITCH_FULLPATH, kLineCapacity, target.fullPath.c_str());
    }
    if (notify.GetShowWindowHandle()) {
        text += Format(instance, IDS_SWITCH_WINDOWHANDLE, kLineCapacity, static_cast<void*>(target.windowHandle));
    }
    if (notify.GetShowClassName()) {
        text += Format(instance, IDS_SWITCH_CLASSNAME, kLineCapacity, target.className.c_str());
    }
    if (notify.GetShowWindowText()) {
        text += Format(instance, IDS_SWITCH_WINDOWTEXT, kLineCapacity, target.windowText.c_str());
    }
    if (!text.empty() && text.back() == L'\n') {
        text.pop_back();
    }
    return text;
}

void NotifySwitch(HINSTANCE instance, const Configuration::CNotify& notify, bool is64BitSystem,
                  const TargetWindowInfo& target, const Configuration::CIme& slot, const BalloonSink& balloons)
{
    balloons(Balloon{Format(instance, IDS_SWITCH_TITLE, kTitleCapacity, slot.GetName().c_str()),
                     NotificationDetails(instance, notify, is64BitSystem, target)});
}

void NotifyKeysNotSent(HINSTANCE instance, const Configuration::CNotify& notify, bool is64BitSystem,
                       const TargetWindowInfo& target, const BalloonSink& balloons)
{
    std::wstring text = LoadText(instance, IDS_SWITCH_KEYS_NOT_SENT);
    const std::wstring details = NotificationDetails(instance, notify, is64BitSystem, target);
    if (!details.empty()) {
        text += L'\n';
        text += details;
    }
    balloons(Balloon{LoadText(instance, IDS_SWITCH_FAILED_TITLE), text});
}

void NotifyNoSendMethod(HINSTANCE instance, const BalloonSink& balloons)
{
    balloons(Balloon{LoadText(instance, IDS_SWITCH_FAILED_TITLE), LoadText(instance, IDS_SWITCH_NO_SEND_METHOD)});
}

} // namespace Engine
