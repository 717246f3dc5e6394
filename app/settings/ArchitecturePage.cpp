#include "app/settings/ArchitecturePage.h"

#include <memory>

#include "app/settings/ImeChoiceList.h"
#include "resources/ResourceIds.h"

namespace Tolv {

namespace {

std::unique_ptr<Configuration::CApplication> MakeBlankExclusion()
{
    return std::make_unique<Configuration::CApplication4SwitchOnArchitecture>(Configuration::MT_FILENAME, L"");
}

constexpr ConditionListLayout kLayout = {IDC_ARCHITECTURE_IGNORE_LIST, IDC_ARCHITECTURE_ADD, IDC_ARCHITECTURE_EDIT,
                                         IDC_ARCHITECTURE_DELETE,      0,                    0,
                                         IDD_EXCLUSION_CONDITION,      false,                MakeBlankExclusion};

// Read-only on a 32-bit system, where the rule never applies.
constexpr int kEditingControls[] = {IDC_ARCHITECTURE_USE,         IDC_ARCHITECTURE_32BIT_IME, IDC_ARCHITECTURE_64BIT_IME,
                                    IDC_ARCHITECTURE_IGNORE_LIST, IDC_ARCHITECTURE_ADD,       IDC_ARCHITECTURE_EDIT,
                                    IDC_ARCHITECTURE_DELETE};

} // namespace

void ArchitecturePage::Initialise()
{
    Configuration::CSwitchOnArchitecture& settings = *Edited().GetSwitchOnArchitecture();
    const HINSTANCE instance = Dialog().GetInstance();

    useBox_.AttachItem(Dialog(), IDC_ARCHITECTURE_USE);
    useBox_.SetChecked(settings.GetUse());
    ime32List_.AttachItem(Dialog(), IDC_ARCHITECTURE_32BIT_IME);
    FillImeChoices(ime32List_, instance, settings.Get32BitImeNumber());
    ime64List_.AttachItem(Dialog(), IDC_ARCHITECTURE_64BIT_IME);
    FillImeChoices(ime64List_, instance, settings.Get64BitImeNumber());
    exclusions_.Bind(Dialog(), kLayout, *settings.GetIgnoreApplications(), *Edited().GetImes());

    if (!settings.Is64BitSystem()) {
        for (const int id : kEditingControls) {
            Dialog().EnableDlgItem(id, FALSE);
        }
        exclusions_.FollowSelection();
    }
}

bool ArchitecturePage::Store()
{
    Configuration::CSwitchOnArchitecture& settings = *Edited().GetSwitchOnArchitecture();
    settings.SetUse(useBox_.IsChecked() ? 1 : 0);
    settings.Set32BitImeNumber(ChosenImeNumber(ime32List_, settings.Get32BitImeNumber()));
    settings.Set64BitImeNumber(ChosenImeNumber(ime64List_, settings.Get64BitImeNumber()));
    return true;
}

int ArchitecturePage::ListId() const { return kLayout.listId; }

} // namespace Tolv
