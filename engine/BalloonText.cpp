#include "engine/BalloonText.h"

#include <windows.h>

#include <algorithm>

#include "flib/window/FillIn.h"

namespace Engine {

namespace {

constexpr wchar_t kEllipsis = L'\u2026';

std::wstring KeepBeginning(const std::wstring& value, std::size_t length)
{
    std::size_t kept = length - 1;
    if (kept > 0 && IS_HIGH_SURROGATE(value[kept - 1])) {
        --kept;
    }
    return value.substr(0, kept) + kEllipsis;
}

// "C:\" or "\\server\share\": what a shortened path keeps before the "…".
std::size_t RootLength(const std::wstring& path)
{
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') {
        return 3;
    }
    if (path.compare(0, 2, L"\\\\") == 0) {
        const std::size_t server = path.find(L'\\', 2);
        const std::size_t share = server == std::wstring::npos ? server : path.find(L'\\', server + 1);
        return share == std::wstring::npos ? 0 : share + 1;
    }
    return 0;
}

std::wstring KeepRootAndEnd(const std::wstring& path, std::size_t length)
{
    const std::size_t root = RootLength(path);
    if (root + 2 > length) {
        return KeepBeginning(path, length);
    }
    std::size_t start = path.size() - (length - root - 1);
    const std::size_t name = path.rfind(L'\\');
    if (name != std::wstring::npos && name >= start) {
        // The file name fits whole: begin at a folder's boundary, not inside its name.
        start = path.find(L'\\', start);
    } else if (IS_LOW_SURROGATE(path[start])) {
        ++start;
    }
    return path.substr(0, root) + kEllipsis + path.substr(start);
}

std::wstring Join(const std::vector<BalloonLine>& lines, std::size_t valueLength)
{
    std::wstring text;
    for (const BalloonLine& line : lines) {
        text += Flib::Windows::Window::FillIn(line.pattern, {Shorten(line.value, line.shortening, valueLength)});
    }
    if (!text.empty() && text.back() == L'\n') {
        text.pop_back();
    }
    return text;
}

} // namespace

std::wstring Shorten(const std::wstring& value, Shortening shortening, std::size_t length)
{
    length = std::max<std::size_t>(length, 1);
    if (value.size() <= length) {
        return value;
    }
    switch (shortening) {
    case Shortening::Path:
        return KeepRootAndEnd(value, length);
    case Shortening::Ending:
        return KeepBeginning(value, length);
    case Shortening::None:
        break;
    }
    return value;
}

std::wstring FitLines(const std::vector<BalloonLine>& lines, std::size_t limit)
{
    std::size_t longest = 1;
    for (const BalloonLine& line : lines) {
        if (line.shortening != Shortening::None) {
            longest = std::max(longest, line.value.size());
        }
    }
    // The longest common length that fits: a shorter one never makes the text longer.
    std::size_t low = 1;
    std::size_t high = longest;
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (Join(lines, middle).size() <= limit) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    std::wstring text = Join(lines, low);
    // Only labels longer than the balloon itself (a string table of another
    // language) get here; whole lines go rather than half a label.
    while (text.size() > limit) {
        const std::size_t end = text.rfind(L'\n', limit);
        text.resize(end == std::wstring::npos ? 0 : end);
    }
    return text;
}

} // namespace Engine
