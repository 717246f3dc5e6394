#include "app/settings/ExactExpression.h"

namespace Tolv {

namespace {

std::wstring EscapedForPattern(const std::wstring& text)
{
    static const std::wstring kSpecial = L"\\^$.|?*+()[]{}";
    std::wstring escaped;
    for (const wchar_t c : text) {
        if (kSpecial.find(c) != std::wstring::npos) {
            escaped += L'\\';
        }
        escaped += c;
    }
    return escaped;
}

} // namespace

std::wstring ExactExpression(Configuration::MatchType type, const Engine::TargetWindowInfo& target)
{
    switch (type) {
    case Configuration::MT_FILENAME:
        return target.fileName;
    case Configuration::MT_FILENAME_REGEX:
        return EscapedForPattern(target.fileName);
    case Configuration::MT_FULLPATH:
        return target.fullPath;
    case Configuration::MT_FULLPATH_REGEX:
        return EscapedForPattern(target.fullPath);
    case Configuration::MT_CLASSNAME:
        return target.className;
    case Configuration::MT_CLASSNAME_REGEX:
        return EscapedForPattern(target.className);
    case Configuration::MT_WINDOWTEXT:
        return target.windowText;
    case Configuration::MT_WINDOWTEXT_REGEX:
        return EscapedForPattern(target.windowText);
    default:
        return std::wstring();
    }
}

} // namespace Tolv
