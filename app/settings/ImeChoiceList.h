#pragma once
// IME choices offered in drop-down lists: "IME-n: name" for each entry of
// ImeSlotLabels. A stored number that names no slot (a settings file edited by
// hand) gets an entry of its own, so it stays visible and an OK the user did
// not change keeps it.
#include <windows.h>

#include <string>

#include "flib/window/CComboBox.h"

namespace Tolv {

// "IME-" + (imeNumber + 1) + ": " + name.
std::wstring ImeChoiceText(int imeNumber, const std::wstring& name);
// The same with the note that no such slot exists, for a number of 4 or more.
std::wstring MissingImeChoiceText(HINSTANCE instance, int imeNumber);

// Refills `list` and selects `imeNumber`'s entry; a negative number selects nothing.
void FillImeChoices(Flib::Windows::Window::CComboBox& list, HINSTANCE instance, int imeNumber);
// The slot the user chose, or `stored` while nothing or the stored number's own entry is selected.
int ChosenImeNumber(Flib::Windows::Window::CComboBox& list, int stored);

} // namespace Tolv
