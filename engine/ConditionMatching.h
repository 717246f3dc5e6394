#pragma once
// Whether a condition holds for a target window, and which entry of a list holds first.
#include <cstddef>
#include <cstdint>
#include <string>

#include "configuration/CApplication.h"
#include "configuration/CApplications.h"
#include "target/TargetWindowInfo.h"

namespace Engine {

// File name and full path compare without case, class name and title with case;
// the _REGEX types need the whole field to match. A pattern that does not compile,
// or that the library gives up on while matching, never holds.
// The file-name types also hold for the executable's name with its extension as
// the full path spells it, since GetFileTitleW drops the extension when the user
// hides extensions and a rule written as "notepad.exe" must not stop working then.
bool ConditionHolds(const Configuration::CApplication& condition, const TargetWindowInfo& target);

// Whether `expression` can work as a rule of match type `type`: the _REGEX
// types need a pattern that compiles with the very flags matching uses. On
// false, `reason` holds the library's explanation and `position` the offset of
// the fault in the pattern. Types without a pattern always pass.
bool PatternCompiles(Configuration::MatchType type, const std::wstring& expression, std::wstring& reason,
                     std::size_t& position);

// The position of the first condition that holds, or -1.
std::int32_t FindMatch(const Configuration::CApplications& conditions, const TargetWindowInfo& target);

} // namespace Engine
