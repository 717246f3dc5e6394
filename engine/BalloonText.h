#pragma once
// Balloon texts that fit the shell's limits with every line kept: when the
// lines are too long together, the longest values give way first.
#include <cstddef>
#include <string>
#include <vector>

namespace Engine {

// How a value may be shortened.
enum class Shortening {
    None,  // short by nature (numbers, labels): kept whole
    Path,  // keeps its drive and its file name, "…" in the middle
    Ending // keeps its beginning and ends with "…"
};

struct BalloonLine {
    std::wstring pattern; // from the string table: the label with %1 and its line break
    std::wstring value;
    Shortening shortening;
};

// `value` in at most `length` characters (at least one), as `shortening` says;
// unchanged when it fits or may not be shortened. Never splits a surrogate pair.
std::wstring Shorten(const std::wstring& value, Shortening shortening, std::size_t length);

// The lines filled in and joined, without the line break after the last, in
// at most `limit` characters: every value longer than a common length is
// shortened to it, the longest length that lets the whole text fit. Labels are
// never cut; lines whose labels alone cannot fit are left out from the end.
std::wstring FitLines(const std::vector<BalloonLine>& lines, std::size_t limit);

} // namespace Engine
