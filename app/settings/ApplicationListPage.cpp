#include "app/settings/ApplicationListPage.h"

#include <iterator>
#include <memory>

#include "app/settings/ConditionListOperations.h"
#include "app/settings/PageProtocol.h"
#include "resources/ResourceIds.h"

namespace Tolv {

namespace {

std::unique_ptr<Configuration::CApplication> MakeBlankCondition()
{
    return std::make_unique<Configuration::CApplication4SwitchOnApplication>(Configuration::MT_FILENAME, L"", 0);
}

constexpr ConditionColumn kColumns[] = {
    {IDS_COLUMN_TARGET, 112},
    {IDS_COLUMN_CONDITION, 256},
    {IDS_COLUMN_IME, 128},
};

constexpr ConditionListLayout kLayout = {IDC_APPLICATION_LIST,
                                         IDC_APPLICATION_ADD,
                                         IDC_APPLICATION_EDIT,
                                         IDC_APPLICATION_DELETE,
                                         IDD_APPLICATION_CONDITION,
                                         kColumns,
                                         std::size(kColumns),
                                         MakeBlankCondition};

PageBinding binding;
ConditionList conditions;

void Initialise(Configuration::CConfigurations& edited)
{
    conditions.Bind(binding.Dialog(), kLayout, *edited.GetSwitchOnApplication()->GetApplications(),
                    *edited.GetImes());
}

bool HandleCommand(WPARAM wParam) { return conditions.HandleCommand(wParam); }
bool HandleListNotify(const NMHDR& header) { return conditions.HandleNotify(header); }
void Release() { conditions.Release(); }

// No store on OK: every change is in the edited copy already.
constexpr PageHandlers kHandlers = {Initialise, HandleCommand, kLayout.listId, HandleListNotify, nullptr, Release};

} // namespace

INT_PTR CALLBACK ApplicationListPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPage(binding, kHandlers, page, message, wParam, lParam);
}

} // namespace Tolv
