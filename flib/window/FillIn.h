#pragma once
// The program's own argument filling for texts of the string table: %1, %2 ...
// stand for the values in order, so a translated string may reorder them and a
// value is never read as a format.
#include <initializer_list>
#include <string>

namespace Flib { namespace Windows { namespace Window {

// `pattern` with each %n replaced by the n-th of `values` (from 1); other text,
// a %n without a value included, is kept. Values are inserted as they are.
std::wstring FillIn(const std::wstring& pattern, std::initializer_list<std::wstring> values);

}}} // namespace Flib::Windows::Window
