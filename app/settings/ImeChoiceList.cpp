#include "app/settings/ImeChoiceList.h"

#include "app/settings/SheetLists.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

namespace {

int SlotCount() { return static_cast<int>(ImeSlotLabels.size()); }

} // namespace

std::wstring ImeChoiceText(int imeNumber, const std::wstring& name)
{
    return L"IME-" + std::to_wstring(imeNumber + 1) + L": " + name;
}

std::wstring MissingImeChoiceText(HINSTANCE instance, int imeNumber)
{
    std::wstring note;
    Flib::Windows::Window::LoadResourceString(instance, IDS_IME_SLOT_MISSING, note);
    return ImeChoiceText(imeNumber, note);
}

void FillImeChoices(Flib::Windows::Window::CComboBox& list, HINSTANCE instance, int imeNumber)
{
    list.ResetContent();
    for (int n = 0; n < SlotCount(); ++n) {
        list.AddString(ImeChoiceText(n, ImeSlotLabels[static_cast<size_t>(n)]));
    }
    if (imeNumber >= SlotCount()) {
        list.AddString(MissingImeChoiceText(instance, imeNumber));
        list.SetCurSel(SlotCount());
    } else {
        list.SetCurSel(imeNumber); // -1 clears the selection
    }
}

int ChosenImeNumber(Flib::Windows::Window::CComboBox& list, int stored)
{
    const LRESULT chosen = list.GetCurSel();
    if (chosen == CB_ERR || chosen >= SlotCount()) {
        return stored;
    }
    return static_cast<int>(chosen);
}

} // namespace Tolv
