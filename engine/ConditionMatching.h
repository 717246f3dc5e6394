#pragma once
// Whether a condition holds for a target window, and which entry of a list holds first.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "configuration/CApplication.h"
#include "configuration/CApplications.h"
#include "target/TargetWindowInfo.h"

namespace Engine {

// A target's fields as conditions compare them, worked out once for a whole list
// rather than again for every condition.
struct ComparedTarget {
    explicit ComparedTarget(const TargetWindowInfo& target);

    const TargetWindowInfo& target;
    // The executable's name as the full path spells it, extension included; empty without a path.
    std::wstring nameInPath;
    // Without case, for the exact file-name and path types.
    std::wstring lowerFileName;
    std::wstring lowerNameInPath;
    std::wstring lowerFullPath;
};

// One condition made ready for matching: its pattern compiled once, its
// expression lowered once, so that a decision compiles nothing.
// File name and full path compare without case, class name and title with case;
// the _REGEX types need the whole field to match. A pattern that does not compile,
// or that the library gives up on while matching, never holds.
// The file-name types also hold for the executable's name with its extension as
// the full path spells it, since GetFileTitleW drops the extension when the user
// hides extensions and a rule written as "notepad.exe" must not stop working then.
class CompiledCondition {
public:
    explicit CompiledCondition(const Configuration::CApplication& condition);
    ~CompiledCondition();
    CompiledCondition(CompiledCondition&&) noexcept;
    CompiledCondition& operator=(CompiledCondition&&) noexcept;

    bool Holds(const ComparedTarget& compared) const;

private:
    struct Pattern;
    bool Matches(const std::wstring& field) const;

    Configuration::MatchType type_;
    std::wstring expression_;
    std::wstring lowered_;
    std::unique_ptr<Pattern> pattern_; // null for the exact types and for a pattern that does not compile
};

// A whole list of conditions, compiled in its order.
class CompiledConditions {
public:
    CompiledConditions() = default;
    explicit CompiledConditions(const Configuration::CApplications& conditions);

    // The position of the first condition that holds, or -1.
    std::int32_t FindMatch(const TargetWindowInfo& target) const;

private:
    std::vector<CompiledCondition> conditions_;
};

// One condition compiled for this one question (the dialogs ask it once).
bool ConditionHolds(const Configuration::CApplication& condition, const TargetWindowInfo& target);

// Whether `expression` can work as a rule of match type `type`: the _REGEX
// types need a pattern that compiles with the very flags matching uses. On
// false, `reason` holds the library's explanation and `position` the offset of
// the fault in the pattern. Types without a pattern always pass.
bool PatternCompiles(Configuration::MatchType type, const std::wstring& expression, std::wstring& reason,
                     std::size_t& position);

} // namespace Engine
