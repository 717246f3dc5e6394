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

// File names and paths compare without case, class names and titles with case.
bool IgnoresCase(Configuration::MatchType type)
{
    return type == Configuration::MT_FILENAME_REGEX || type == Configuration::MT_FULLPATH_REGEX;
}

bool IsPatternType(Configuration::MatchType type)
{
    return type == Configuration::MT_FILENAME_REGEX || type == Configuration::MT_FULLPATH_REGEX ||
           type == Configuration::MT_CLASSNAME_REGEX || type == Configuration::MT_WINDOWTEXT_REGEX;
}

WideRegex::flag_type PatternFlags(bool ignoreCase) { return ignoreCase ? WideRegex::perl | WideRegex::icase : WideRegex::perl; }

// The library's message up to where it quotes the pattern: it narrows the
// pattern's characters, which garbles anything beyond ASCII.
std::wstring LibraryReason(const char* what)
{
    std::string reason(what);
    const std::string::size_type quote = reason.find("  The error occurred");
    if (quote != std::string::npos) {
        reason.erase(quote);
    }
    return std::wstring(reason.begin(), reason.end());
}

bool WholeTextMatches(const std::wstring& field, const std::wstring& pattern, bool ignoreCase)
{
    try {
        const WideRegex compiled(pattern, PatternFlags(ignoreCase));
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
        return FileNameHolds(target, [&](const std::wstring& name) {
            return WholeTextMatches(name, expression, IgnoresCase(Configuration::MT_FILENAME_REGEX));
        });
    case Configuration::MT_FULLPATH:
        return EqualIgnoringCase(target.fullPath, expression);
    case Configuration::MT_FULLPATH_REGEX:
        return WholeTextMatches(target.fullPath, expression, IgnoresCase(Configuration::MT_FULLPATH_REGEX));
    case Configuration::MT_CLASSNAME:
        return target.className == expression;
    case Configuration::MT_CLASSNAME_REGEX:
        return WholeTextMatches(target.className, expression, IgnoresCase(Configuration::MT_CLASSNAME_REGEX));
    case Configuration::MT_WINDOWTEXT:
        return target.windowText == expression;
    case Configuration::MT_WINDOWTEXT_REGEX:
        return WholeTextMatches(target.windowText, expression, IgnoresCase(Configuration::MT_WINDOWTEXT_REGEX));
    default:
        return false;
    }
}

bool PatternCompiles(Configuration::MatchType type, const std::wstring& expression, std::wstring& reason,
                     std::size_t& position)
{
    if (!IsPatternType(type)) {
        return true;
    }
    try {
        const WideRegex compiled(expression, PatternFlags(IgnoresCase(type)));
        return true;
    } catch (const boost::regex_error& error) {
        reason = LibraryReason(error.what());
        position = error.position() < 0 ? 0 : static_cast<std::size_t>(error.position());
        return false;
    } catch (const std::exception& error) {
        reason = LibraryReason(error.what());
        position = 0;
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
