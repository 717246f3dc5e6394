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
static_assert(sizeof(kFlags) / sizeof(kFlags[0]) == NotifyPage::kFlagCount, "one box per flag");

} // namespace

void NotifyPage::Initialise()
{
    const CNotify& notify = *Edited().GetNotify();
    for (int f = 0; f < kFlagCount; ++f) {
        boxes_[f].AttachItem(Dialog(), kFlags[f].controlId);
        boxes_[f].SetChecked((notify.*kFlags[f].get)() != 0);
    }
    // The page opens consistent: item boxes usable only while balloons are on.
    FollowBalloonSwitch();
}

void NotifyPage::FollowBalloonSwitch()
{
    const BOOL on = boxes_[0].IsChecked() ? TRUE : FALSE;
    for (int f = 1; f < kFlagCount; ++f) {
        boxes_[f].Enable(on);
    }
}

// Disabled boxes are stored too, so their ticks survive while balloons are off.
bool NotifyPage::Store()
{
    CNotify& notify = *Edited().GetNotify();
    for (int f = 0; f < kFlagCount; ++f) {
        (notify.*kFlags[f].set)(boxes_[f].IsChecked() ? 1 : 0);
    }
    return true;
}

bool NotifyPage::Command(WPARAM wParam)
{
    if (LOWORD(wParam) != IDC_NOTIFY_USE) {
        return false;
    }
    FollowBalloonSwitch();
    return true;
}

} // namespace Tolv
