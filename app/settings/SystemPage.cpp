#include "app/settings/SystemPage.h"

#include "app/settings/PageProtocol.h"
#include "configuration/CSystem.h"
#include "flib/window/CRadioButton.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Configuration::ProcessedPolicy;
using Configuration::SendType;
using Flib::Windows::Window::CRadioButton;

namespace {

struct Choice {
    int controlId;
    int value;
};

// ST_SETKEYBOARDSTATE has no button: a stored 3 shows no selection and is kept.
constexpr Choice kSendChoices[] = {
    {IDC_SEND_ALTFIRST, Configuration::ST_SENDINPUT_ALTFIRST},
    {IDC_SEND_SHIFTFIRST, Configuration::ST_SENDINPUT_SHIFTFIRST},
    {IDC_SEND_CTRLFIRST, Configuration::ST_SENDINPUT_CTRLFIRST},
};
constexpr Choice kProcessedChoices[] = {
    {IDC_PROCESSED_WINDOWHANDLE, Configuration::PP_WINDOWHANDLE},
    {IDC_PROCESSED_PROCESSID, Configuration::PP_PROCESSID},
    {IDC_PROCESSED_NONE, Configuration::PP_NONE},
};

template <size_t N>
void Fill(CRadioButton& group, HWND page, const Choice (&choices)[N], int stored)
{
    group.AddButton(page, 0);
    for (const Choice& choice : choices) {
        group.AddButton(page, choice.controlId);
    }
    for (const Choice& choice : choices) {
        if (choice.value == stored) {
            group.CheckId(choice.controlId);
        }
    }
}

// The value of the group's selected button; false when none is selected.
template <size_t N>
bool Selected(CRadioButton& group, const Choice (&choices)[N], int& value)
{
    const int checked = group.GetCheckedId();
    for (const Choice& choice : choices) {
        if (choice.controlId == checked) {
            value = choice.value;
            return true;
        }
    }
    return false;
}

} // namespace

void SystemPage::Initialise()
{
    const Configuration::CSystem& systemSettings = *Edited().GetSystem();
    const HWND page = Dialog().GetHandle();
    Fill(sendGroup_, page, kSendChoices, systemSettings.GetType());
    Fill(processedGroup_, page, kProcessedChoices, systemSettings.GetProcessed());
}

bool SystemPage::Store()
{
    Configuration::CSystem& systemSettings = *Edited().GetSystem();
    int value = 0;
    if (Selected(sendGroup_, kSendChoices, value)) {
        systemSettings.SetType(static_cast<SendType>(value));
    }
    if (Selected(processedGroup_, kProcessedChoices, value)) {
        systemSettings.SetProcessed(static_cast<ProcessedPolicy>(value));
    }
    return true;
}

} // namespace Tolv
