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

std::wstring NameInPath(const std::wstring& fullPath)
{
    if (fullPath.empty()) {
        return std::wstring();
    }
    const std::wstring::size_type slash = fullPath.find_last_of(L'\\');
    return slash == std::wstring::npos ? fullPath : fullPath.substr(slash + 1);
}

// The title as GetFileTitleW gave it, or the name the path spells (when there is a path).
template <typename Test>
bool EitherFileName(const std::wstring& fileName, const std::wstring& nameInPath, bool hasPath, Test test)
{
    return test(fileName) || (hasPath && test(nameInPath));
}

} // namespace

ComparedTarget::ComparedTarget(const TargetWindowInfo& target)
    : target(target), nameInPath(NameInPath(target.fullPath)), lowerFileName(Lowered(target.fileName)),
      lowerNameInPath(Lowered(nameInPath)), lowerFullPath(Lowered(target.fullPath))
{
}

struct CompiledCondition::Pattern {
    WideRegex compiled;
};

CompiledCondition::CompiledCondition(const CApplication& condition)
    : type_(condition.GetMatchType()), expression_(condition.GetExpression()), lowered_(Lowered(expression_))
{
    if (!IsPatternType(type_)) {
        return;
    }
    try {
        pattern_.reset(new Pattern{WideRegex(expression_, PatternFlags(IgnoresCase(type_)))});
    } catch (const std::exception&) {
        // Never holds: left without a pattern.
    }
}

CompiledCondition::~CompiledCondition() = default;
CompiledCondition::CompiledCondition(CompiledCondition&&) noexcept = default;
CompiledCondition& CompiledCondition::operator=(CompiledCondition&&) noexcept = default;

bool CompiledCondition::Matches(const std::wstring& field) const
{
    if (!pattern_) {
        return false;
    }
    try {
        return boost::regex_match(field, pattern_->compiled);
    } catch (const std::exception&) {
        // The matcher's complexity limit: the rule simply does not apply.
        return false;
    }
}

bool CompiledCondition::Holds(const ComparedTarget& compared) const
{
    const TargetWindowInfo& target = compared.target;
    const bool hasPath = !target.fullPath.empty();
    switch (type_) {
    case Configuration::MT_FILENAME:
        return EitherFileName(compared.lowerFileName, compared.lowerNameInPath, hasPath,
                              [&](const std::wstring& name) { return name == lowered_; });
    case Configuration::MT_FILENAME_REGEX:
        return EitherFileName(target.fileName, compared.nameInPath, hasPath,
                              [&](const std::wstring& name) { return Matches(name); });
    case Configuration::MT_FULLPATH:
        return compared.lowerFullPath == lowered_;
    case Configuration::MT_CLASSNAME:
        return target.className == expression_;
    case Configuration::MT_WINDOWTEXT:
        return target.windowText == expression_;
    case Configuration::MT_FULLPATH_REGEX:
        return Matches(target.fullPath);
    case Configuration::MT_CLASSNAME_REGEX:
        return Matches(target.className);
    case Configuration::MT_WINDOWTEXT_REGEX:
        return Matches(target.windowText);
    default:
        return false;
    }
}

CompiledConditions::CompiledConditions(const Configuration::CApplications& conditions)
{
    const int count = conditions.Count();
    conditions_.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (int i = 0; i < count; ++i) {
        conditions_.emplace_back(*conditions.GetAt(i));
    }
}

std::int32_t CompiledConditions::FindMatch(const TargetWindowInfo& target) const
{
    if (conditions_.empty()) {
        return -1;
    }
    const ComparedTarget compared(target);
    for (std::size_t i = 0; i < conditions_.size(); ++i) {
        if (conditions_[i].Holds(compared)) {
            return static_cast<std::int32_t>(i);
        }
    }
    return -1;
}

bool ConditionHolds(const CApplication& condition, const TargetWindowInfo& target)
{
    return CompiledCondition(condition).Holds(ComparedTarget(target));
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

} // namespace Engine
