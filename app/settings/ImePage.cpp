#include "app/settings/ImePage.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/settings/HotkeyDialog.h"
#include "app/settings/HotkeyText.h"
#include "app/settings/ImeChoiceList.h"
#include "app/settings/SettingsMessage.h"
#include "configuration/CImes.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

namespace {

struct SlotControls {
    int nameId;
    int keysId;
    int changeId;
};
constexpr SlotControls kSlotControls[ImePage::kShownSlots] = {
    {IDC_IME1_NAME, IDC_IME1_KEYS, IDC_IME1_CHANGE},
    {IDC_IME2_NAME, IDC_IME2_KEYS, IDC_IME2_CHANGE},
    {IDC_IME3_NAME, IDC_IME3_KEYS, IDC_IME3_CHANGE},
    {IDC_IME4_NAME, IDC_IME4_KEYS, IDC_IME4_CHANGE},
};

constexpr UINT kPresetNameIds[] = {IDS_IME_PRESET_ATOK,  IDS_IME_PRESET_MSIME,    IDS_IME_PRESET_GOOGLE,
                                   IDS_IME_PRESET_BAIDU, IDS_IME_PRESET_JAPANIST, IDS_IME_PRESET_SOCIALIME};

// The settings file drops a slot whose name reads back empty (the profile
// functions trim blanks), which would renumber every slot after it.
bool IsKeepableName(const std::wstring& name) { return name.find_first_not_of(L" \t") != std::wstring::npos; }

} // namespace

int ImePage::ShownSlots() { return std::min(kShownSlots, Edited().GetImes()->Count()); }

void ImePage::Initialise()
{
    const Configuration::CImes& imes = *Edited().GetImes();
    const HINSTANCE instance = Dialog().GetInstance();
    std::wstring presets[std::size(kPresetNameIds)];
    for (size_t p = 0; p < std::size(kPresetNameIds); ++p) {
        Flib::Windows::Window::LoadResourceString(instance, kPresetNameIds[p], presets[p]);
    }
    for (int s = 0; s < kShownSlots; ++s) {
        nameBoxes_[s].AttachItem(Dialog(), kSlotControls[s].nameId);
        keyBoxes_[s].AttachItem(Dialog(), kSlotControls[s].keysId);
        changeButtons_[s].AttachItem(Dialog(), kSlotControls[s].changeId);
        if (s >= ShownSlots()) {
            // No slot to edit: nothing typed there could be kept.
            nameBoxes_[s].Enable(FALSE);
            keyBoxes_[s].Enable(FALSE);
            changeButtons_[s].Enable(FALSE);
            continue;
        }
        const Configuration::CIme& ime = *imes.GetAt(s);
        for (const std::wstring& preset : presets) {
            nameBoxes_[s].AddString(preset);
        }
        nameBoxes_[s].SetText(ime.GetName());
        keyBoxes_[s].SetText(HotkeyText(ime.GetKeys()));
    }
}

std::wstring ImePage::SlotText(int slot)
{
    std::wstring name;
    if (slot < ShownSlots()) {
        nameBoxes_[slot].GetText(name);
    } else {
        name = Edited().GetImes()->GetAt(slot)->GetName();
    }
    return ImeChoiceText(slot, name);
}

void ImePage::ChangeHotkey(int slot)
{
    Configuration::CImes& imes = *Edited().GetImes();
    std::vector<HotkeyInUse> others;
    for (int t = 0; t < imes.Count(); ++t) {
        if (t != slot) {
            others.push_back({SlotText(t), imes.GetAt(t)->GetKeys()});
        }
    }
    Configuration::CIme& ime = *imes.GetAt(slot);
    Flib::IO::Input::CKeys working = ime.GetKeys();
    if (RunHotkeyDialog(Dialog().GetInstance(), Dialog().GetHandle(), SlotText(slot), others, working) == 1) {
        ime.SetKeys(working);
        keyBoxes_[slot].SetText(HotkeyText(working));
    }
}

bool ImePage::Store()
{
    Configuration::CImes& imes = *Edited().GetImes();
    for (int s = 0; s < ShownSlots(); ++s) {
        std::wstring name;
        nameBoxes_[s].GetText(name);
        if (!IsKeepableName(name)) {
            ShowSettingsMessage(Dialog().GetInstance(), Dialog().GetHandle(), IDS_IME_NAME_BLANK,
                                {L"IME-" + std::to_wstring(s + 1)},
                                MB_OK | MB_ICONWARNING);
            nameBoxes_[s].SetFocus();
            return false;
        }
    }
    for (int s = 0; s < ShownSlots(); ++s) {
        std::wstring name;
        nameBoxes_[s].GetText(name);
        imes.GetAt(s)->SetName(name);
    }
    return true;
}

bool ImePage::Command(WPARAM wParam)
{
    for (int s = 0; s < ShownSlots(); ++s) {
        if (LOWORD(wParam) == kSlotControls[s].changeId && HIWORD(wParam) == BN_CLICKED) {
            ChangeHotkey(s);
            return true;
        }
    }
    return false;
}

} // namespace Tolv
