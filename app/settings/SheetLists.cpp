#include "app/settings/SheetLists.h"

#include <iterator>

#include "app/settings/MatchTypeDisplay.h"
#include "flib/window/LoadResourceString.h"

namespace Tolv {

std::vector<std::wstring> MatchTypeNames;
std::vector<std::wstring> ImeSlotLabels;

void RebuildMatchTypeNames(HINSTANCE instance)
{
    MatchTypeNames.assign(std::size(kMatchTypeStringIds), std::wstring());
    for (const MatchTypeStringId& entry : kMatchTypeStringIds) {
        Flib::Windows::Window::LoadResourceString(instance, entry.stringId,
                                                  MatchTypeNames[static_cast<size_t>(entry.type)]);
    }
}

void RebuildImeSlotLabels(const Configuration::CImes& imes)
{
    ImeSlotLabels.clear();
    for (int s = 0; s < imes.Count(); ++s) {
        ImeSlotLabels.push_back(imes.GetAt(s)->GetName());
    }
}

} // namespace Tolv
