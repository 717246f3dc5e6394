#include "app/settings/ImePage.h"

#include <algorithm>
#include <string>

#include "app/settings/HotkeyDialog.h"
#include "app/settings/HotkeyText.h"
#include "app/settings/PageProtocol.h"
#include "configuration/CImes.h"
#include "flib/window/CButton.h"
#include "flib/window/CComboBox.h"
#include "flib/window/CEditBox.h"
#include "flib/window/LoadResourceString.h"
#include "resources/ResourceIds.h"

namespace Tolv {

using Flib::Windows::Window::CButton;
using Flib::Windows::Window::CComboBox;
using Flib::Windows::Window::CEditBox;

namespace {

constexpr int kShownSlots = 4;

struct SlotControls {
    int nameId;
    int keysId;
    int changeId;
};
constexpr SlotControls kSlotControls[kShownSlots] = {
    {IDC_IME1_NAME, IDC_IME1_KEYS, IDC_IME1_CHANGE},
    {IDC_IME2_NAME, IDC_IME2_KEYS, IDC_IME2_CHANGE},
    {IDC_IME3_NAME, IDC_IME3_KEYS, IDC_IME3_CHANGE},
    {IDC_IME4_NAME, IDC_IME4_KEYS, IDC_IME4_CHANGE},
};

constexpr UINT kPresetNameIds[] = {IDS_IME_PRESET_ATOK,  IDS_IME_PRESET_MSIME,    IDS_IME_PRESET_GOOGLE,
                                   IDS_IME_PRESET_BAIDU, IDS_IME_PRESET_JAPANIST, IDS_IME_PRESET_SOCIALIME};

PageBinding binding;
Configuration::CImes* imes = nullptr; // the edited copy's slots, while the page exists
CComboBox nameBoxes[kShownSlots];
CEditBox keyBoxes[kShownSlots];
CButton changeButtons[kShownSlots];

int ShownSlots() { return imes == nullptr ? 0 : std::min(kShownSlots, imes->Count()); }

void Initialise(Configuration::CConfigurations& edited)
{
    imes = edited.GetImes();
    const HINSTANCE instance = binding.Dialog().GetInstance();
    std::wstring presets[std::size(kPresetNameIds)];
    for (size_t p = 0; p < std::size(kPresetNameIds); ++p) {
        Flib::Windows::Window::LoadResourceString(instance, kPresetNameIds[p], presets[p]);
    }
    for (int s = 0; s < ShownSlots(); ++s) {
        const Configuration::CIme& ime = *imes->GetAt(s);
        CComboBox& names = nameBoxes[s];
        names.AttachItem(binding.Dialog(), kSlotControls[s].nameId);
        names.ResetContent();
        for (const std::wstring& preset : presets) {
            names.AddString(preset);
        }
        names.SetText(ime.GetName());
        keyBoxes[s].AttachItem(binding.Dialog(), kSlotControls[s].keysId);
        keyBoxes[s].SetText(HotkeyText(ime.GetKeys()));
        changeButtons[s].AttachItem(binding.Dialog(), kSlotControls[s].changeId);
    }
}

void ChangeHotkey(int slot)
{
    Configuration::CIme& ime = *imes->GetAt(slot);
    Flib::IO::Input::CKeys working = ime.GetKeys();
    if (RunHotkeyDialog(binding.Dialog().GetInstance(), binding.Dialog().GetHandle(), working) == 1) {
        ime.SetKeys(working);
        keyBoxes[slot].SetText(HotkeyText(working));
    }
}

// The settings file drops a slot whose name reads back empty (the profile
// functions trim blanks), which would renumber every slot after it.
bool IsKeepableName(const std::wstring& name) { return name.find_first_not_of(L" \t") != std::wstring::npos; }

void StoreNames()
{
    for (int s = 0; s < ShownSlots(); ++s) {
        std::wstring name;
        nameBoxes[s].GetText(name);
        if (IsKeepableName(name)) {
            imes->GetAt(s)->SetName(name);
        }
    }
}

bool HandleCommand(WPARAM wParam)
{
    for (int s = 0; s < ShownSlots(); ++s) {
        if (LOWORD(wParam) == kSlotControls[s].changeId && HIWORD(wParam) == BN_CLICKED) {
            ChangeHotkey(s);
            return true;
        }
    }
    return false;
}

void Release() { imes = nullptr; }

constexpr PageHandlers kHandlers = {Initialise, HandleCommand, 0, nullptr, StoreNames, Release};

} // namespace

INT_PTR CALLBACK ImePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    return RunPage(binding, kHandlers, page, message, wParam, lParam);
}

} // namespace Tolv
