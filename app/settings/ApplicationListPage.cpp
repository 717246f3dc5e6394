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

INT_PTR Handle(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        Configuration::CConfigurations& edited = binding.Bind(page, lParam);
        conditions.Bind(binding.Dialog(), kLayout, *edited.GetSwitchOnApplication()->GetApplications(),
                        *edited.GetImes());
        return TRUE;
    }
    case WM_COMMAND:
        return conditions.HandleCommand(wParam) ? TRUE : FALSE;
    case WM_NOTIFY: {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.idFrom == static_cast<UINT_PTR>(kLayout.listId)) {
            return conditions.HandleNotify(header) ? TRUE : FALSE;
        }
        // Every change is in the edited copy already.
        return IsApplyNotification(lParam) ? AcceptApply(page) : FALSE;
    }
    case WM_DESTROY:
        conditions.Release();
        binding.Release();
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR CALLBACK ApplicationListPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Guarded([&] { return Handle(page, message, wParam, lParam); });
}

} // namespace Tolv
