#include "engine/ConditionMatching.h"

#include <windows.h>

// GCC builds do not pick the Windows traits by themselves.
#include <boost/regex.hpp>
#include <boost/regex/v5/w32_regex_traits.hpp>

#include <exception>
#include <string>

namespace Engine {

using Configuration::CApplication;

namespace {

using WideRegex = boost::basic_regex<wchar_t, boost::w32_regex_traits<wchar_t>>;

// The C runtime's towlower in the "C" locale: A to Z only below 256 (accented
// Latin-1 capitals stay), the system's lowercase mapping from 256 up.
wchar_t LowerCodeUnit(wchar_t c)
{
    if (c < 256) {
        return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    }
    wchar_t lowered = c;
    if (::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, &c, 1, &lowered, 1) != 1) {
        return c;
    }
    return lowered;
}

std::wstring Lowered(const std::wstring& text)
{
    std::wstring lowered(text);
    for (wchar_t& c : lowered) {
        c = LowerCodeUnit(c);
    }
    return lowered;
}

bool EqualIgnoringCase(const std::wstring& field, const std::wstring& expression)
{
    return Lowered(field) == Lowered(expression);
}

bool WholeTextMatches(const std::wstring& field, const std::wstring& pattern, bool ignoreCase)
{
    try {
        const WideRegex compiled(pattern, ignoreCase ? WideRegex::perl | WideRegex::icase : WideRegex::perl);
        return boost::regex_match(field, compiled);
    } catch (const std::exception&) {
        // Invalid pattern, or the matcher's complexity limit: the rule simply does not apply.
        return false;
    }
}

// The executable's name as the path spells it, extension included; empty without a path.
std::wstring NameInPath(const std::wstring& fullPath)
{
    const std::wstring::size_type slash = fullPath.find_last_of(L'\\');
    return slash == std::wstring::npos ? fullPath : fullPath.substr(slash + 1);
}

template <typename Test>
bool FileNameHolds(const TargetWindowInfo& target, Test test)
{
    return test(target.fileName) || (!target.fullPath.empty() && test(NameInPath(target.fullPath)));
}

} // namespace

bool ConditionHolds(const CApplication& condition, const TargetWindowInfo& target)
{
    const std::wstring& expression = condition.GetExpression();
    switch (condition.GetMatchType()) {
    case Configuration::MT_FILENAME:
        return FileNameHolds(target, [&](const std::wstring& name) { return EqualIgnoringCase(name, expression); });
    case Configuration::MT_FILENAME_REGEX:
        return FileNameHolds(target,
                             [&](const std::wstring& name) { return WholeTextMatches(name, expression, true); });
    case Configuration::MT_FULLPATH:
        return EqualIgnoringCase(target.fullPath, expression);
    case Configuration::MT_FULLPATH_REGEX:
        return WholeTextMatches(target.fullPath, expression, true);
    case Configuration::MT_CLASSNAME:
        return target.className == expression;
    case Configuration::MT_CLASSNAME_REGEX:
        return WholeTextMatches(target.className, expression, false);
    case Configuration::MT_WINDOWTEXT:
        return target.windowText == expression;
    case Configuration::MT_WINDOWTEXT_REGEX:
        return WholeTextMatches(target.windowText, expression, false);
    default:
        return false;
    }
}

std::int32_t FindMatch(const Configuration::CApplications& conditions, const TargetWindowInfo& target)
{
    const int count = conditions.Count();
    for (int i = 0; i < count; ++i) {
        if (ConditionHolds(*conditions.GetAt(i), target)) {
            return i;
        }
    }
    return -1;
}

} // namespace Engine
