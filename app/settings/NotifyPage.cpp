#include "app/settings/NotifyPage.h"

#include "app/settings/PageProtocol.h"
#include "configuration/CNotify.h"
#include "flib/window/CCheckBox.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Configuration::CNotify;
using Flib::Windows::Window::CCheckBox;

namespace {

struct Flag {
    int controlId;
    int (CNotify::*get)() const;
    void (CNotify::*set)(int);
};

// The balloon switch first, then the seven item boxes.
constexpr Flag kFlags[] = {
    {IDC_NOTIFY_USE, &CNotify::GetUse, &CNotify::SetUse},
    {IDC_NOTIFY_SUBSYSTEM, &CNotify::GetShowSubSystem, &CNotify::SetShowSubSystem},
    {IDC_NOTIFY_PROCESSID, &CNotify::GetShowProcessId, &CNotify::SetShowProcessId},
    {IDC_NOTIFY_FILENAME, &CNotify::GetShowFileName, &CNotify::SetShowFileName},
    {IDC_NOTIFY_FULLPATH, &CNotify::GetShowFullPath, &CNotify::SetShowFullPath},
    {IDC_NOTIFY_WINDOWHANDLE, &CNotify::GetShowWindowHandle, &CNotify::SetShowWindowHandle},
    {IDC_NOTIFY_CLASSNAME, &CNotify::GetShowClassName, &CNotify::SetShowClassName},
    {IDC_NOTIFY_WINDOWTEXT, &CNotify::GetShowWindowText, &CNotify::SetShowWindowText},
};
constexpr size_t kFlagCount = sizeof(kFlags) / sizeof(kFlags[0]);

PageBinding binding;
CNotify* notify = nullptr; // the edited copy's, while the page exists
CCheckBox boxes[kFlagCount];

void Initialise(Configuration::CConfigurations& edited)
{
    notify = edited.GetNotify();
    // The item boxes open enabled, as the template has them, whatever the balloon switch shows.
    for (size_t f = 0; f < kFlagCount; ++f) {
        boxes[f].AttachItem(binding.Dialog(), kFlags[f].controlId);
        boxes[f].SetChecked((notify->*kFlags[f].get)() != 0);
    }
}

void FollowBalloonSwitch()
{
    const BOOL on = boxes[0].IsChecked() ? TRUE : FALSE;
    for (size_t f = 1; f < kFlagCount; ++f) {
        boxes[f].Enable(on);
    }
}

// Disabled boxes are stored too, so their ticks survive while balloons are off.
void Store()
{
    for (size_t f = 0; f < kFlagCount; ++f) {
        (notify->*kFlags[f].set)(boxes[f].IsChecked() ? 1 : 0);
    }
}

bool HandleCommand(WPARAM wParam)
{
    if (LOWORD(wParam) != IDC_NOTIFY_USE) {
        return false;
    }
    FollowBalloonSwitch();
    return true;
}

void Release() { notify = nullptr; }

constexpr PageHandlers kHandlers = {Initialise, HandleCommand, 0, nullptr, Store, Release};

} // namespace

INT_PTR CALLBACK NotifyPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPage(binding, kHandlers, page, message, wParam, lParam);
}

} // namespace Tolv
