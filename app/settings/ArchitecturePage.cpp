#include "app/settings/ArchitecturePage.h"

#include <iterator>
#include <memory>

#include "app/settings/ConditionListOperations.h"
#include "app/settings/ImeChoiceList.h"
#include "app/settings/PageProtocol.h"
#include "flib/window/CCheckBox.h"
#include "flib/window/CComboBox.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Flib::Windows::Window::CCheckBox;
using Flib::Windows::Window::CComboBox;

namespace {

std::unique_ptr<Configuration::CApplication> MakeBlankExclusion()
{
    return std::make_unique<Configuration::CApplication4SwitchOnArchitecture>(Configuration::MT_FILENAME, L"");
}

constexpr ConditionColumn kColumns[] = {
    {IDS_COLUMN_TARGET, 128},
    {IDS_COLUMN_CONDITION, 344},
};

constexpr ConditionListLayout kLayout = {IDC_ARCHITECTURE_IGNORE_LIST,
                                         IDC_ARCHITECTURE_ADD,
                                         IDC_ARCHITECTURE_EDIT,
                                         IDC_ARCHITECTURE_DELETE,
                                         IDD_EXCLUSION_CONDITION,
                                         kColumns,
                                         std::size(kColumns),
                                         MakeBlankExclusion};

// Read-only on a 32-bit system, where the rule never applies.
constexpr int kEditingControls[] = {IDC_ARCHITECTURE_USE,         IDC_ARCHITECTURE_32BIT_IME, IDC_ARCHITECTURE_64BIT_IME,
                                    IDC_ARCHITECTURE_IGNORE_LIST, IDC_ARCHITECTURE_ADD,       IDC_ARCHITECTURE_EDIT,
                                    IDC_ARCHITECTURE_DELETE};

PageBinding binding;
Configuration::CSwitchOnArchitecture* settings = nullptr; // the edited copy's, while the page exists
CCheckBox useBox;
CComboBox ime32List;
CComboBox ime64List;
ConditionList exclusions;

void Initialise(Configuration::CConfigurations& edited)
{
    settings = edited.GetSwitchOnArchitecture();
    const HINSTANCE instance = binding.Dialog().GetInstance();

    useBox.AttachItem(binding.Dialog(), IDC_ARCHITECTURE_USE);
    useBox.SetChecked(settings->GetUse());
    ime32List.AttachItem(binding.Dialog(), IDC_ARCHITECTURE_32BIT_IME);
    FillImeChoices(ime32List, instance, settings->Get32BitImeNumber());
    ime64List.AttachItem(binding.Dialog(), IDC_ARCHITECTURE_64BIT_IME);
    FillImeChoices(ime64List, instance, settings->Get64BitImeNumber());
    exclusions.Bind(binding.Dialog(), kLayout, *settings->GetIgnoreApplications(), *edited.GetImes());

    if (!settings->Is64BitSystem()) {
        for (const int id : kEditingControls) {
            binding.Dialog().EnableDlgItem(id, FALSE);
        }
    }
}

void Store()
{
    settings->SetUse(useBox.IsChecked() ? 1 : 0);
    settings->Set32BitImeNumber(ChosenImeNumber(ime32List, settings->Get32BitImeNumber()));
    settings->Set64BitImeNumber(ChosenImeNumber(ime64List, settings->Get64BitImeNumber()));
}

bool HandleCommand(WPARAM wParam) { return exclusions.HandleCommand(wParam); }
bool HandleListNotify(const NMHDR& header) { return exclusions.HandleNotify(header); }

void Release()
{
    exclusions.Release();
    settings = nullptr;
}

constexpr PageHandlers kHandlers = {Initialise, HandleCommand, kLayout.listId, HandleListNotify, Store, Release};

} // namespace

INT_PTR CALLBACK ArchitecturePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPage(binding, kHandlers, page, message, wParam, lParam);
}

} // namespace Tolv
