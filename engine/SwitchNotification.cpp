#include "engine/SwitchNotification.h"

#include <vector>

#include "engine/BalloonText.h"
#include "flib/window/CTaskTrayIcon.h"
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

// A title may hold line breaks or tabs; in the balloon they would start lines of their own.
std::wstring OneLine(std::wstring value)
{
    for (wchar_t& c : value) {
        if (c < L' ') {
            c = L' ';
        }
    }
    return value;
}

// As the handle was always shown: every digit of a pointer, upper case.
std::wstring HandleDigits(HWND window)
{
    const UINT_PTR bits = reinterpret_cast<UINT_PTR>(window);
    std::wstring digits;
    for (int shift = 8 * static_cast<int>(sizeof(bits)) - 4; shift >= 0; shift -= 4) {
        digits += L"0123456789ABCDEF"[(bits >> shift) & 0xF];
    }
    return digits;
}

std::vector<BalloonLine> DetailLines(HINSTANCE instance, const Configuration::CNotify& notify, bool is64BitSystem,
                                     const TargetWindowInfo& target)
{
    std::vector<BalloonLine> lines;
    const auto add = [&](bool on, UINT id, std::wstring value, Shortening shortening) {
        if (on) {
            lines.push_back(BalloonLine{LoadText(instance, id), OneLine(std::move(value)), shortening});
        }
    };
    add(notify.GetShowProcessId(), IDS_SWITCH_PROCESSID, std::to_wstring(target.processId), Shortening::None);
    add(notify.GetShowSubSystem(), IDS_SWITCH_SUBSYSTEM, ArchitectureLabel(target, is64BitSystem), Shortening::None);
    add(notify.GetShowFileName(), IDS_SWITCH_FILENAME, target.fileName, Shortening::Ending);
    add(notify.GetShowFullPath(), IDS_SWITCH_FULLPATH, target.fullPath, Shortening::Path);
    add(notify.GetShowWindowHandle(), IDS_SWITCH_WINDOWHANDLE, HandleDigits(target.windowHandle), Shortening::None);
    add(notify.GetShowClassName(), IDS_SWITCH_CLASSNAME, target.className, Shortening::Ending);
    add(notify.GetShowWindowText(), IDS_SWITCH_WINDOWTEXT, target.windowText, Shortening::Ending);
    return lines;
}

} // namespace

std::wstring NotificationDetails(HINSTANCE instance, const Configuration::CNotify& notify, bool is64BitSystem,
                                 const TargetWindowInfo& target, std::size_t limit)
{
    return FitLines(DetailLines(instance, notify, is64BitSystem, target), limit);
}

void NotifySwitch(HINSTANCE instance, const Configuration::CNotify& notify, bool is64BitSystem,
                  const TargetWindowInfo& target, const Configuration::CIme& slot, const BalloonSink& balloons)
{
    using Flib::Windows::Window::kBalloonTextLength;
    using Flib::Windows::Window::kBalloonTitleLength;
    const std::wstring title = FitLines(
        {BalloonLine{LoadText(instance, IDS_SWITCH_TITLE), OneLine(slot.GetName()), Shortening::Ending}},
        kBalloonTitleLength);
    balloons(Balloon{title, NotificationDetails(instance, notify, is64BitSystem, target, kBalloonTextLength)});
}

void NotifyKeysNotSent(HINSTANCE instance, const Configuration::CNotify& notify, bool is64BitSystem,
                       const TargetWindowInfo& target, const BalloonSink& balloons)
{
    using Flib::Windows::Window::kBalloonTextLength;
    std::wstring text = LoadText(instance, IDS_SWITCH_KEYS_NOT_SENT);
    // The details share the balloon with the message above them.
    const std::size_t room = text.size() < kBalloonTextLength ? kBalloonTextLength - text.size() - 1 : 0;
    const std::wstring details = NotificationDetails(instance, notify, is64BitSystem, target, room);
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
