#pragma once
// The expression that makes a rule stand for exactly one window's (or file's) fact.
#include <string>

#include "configuration/CApplication.h"
#include "target/TargetWindowInfo.h"

namespace Tolv {

// The fact of `target` that a rule of match type `type` tests (file name,
// full path, class name or title), as the rule's expression: the text itself,
// or for the pattern types that text with every pattern character escaped, so
// the pattern matches exactly it. Empty for an unrecognised type.
std::wstring ExactExpression(Configuration::MatchType type, const Engine::TargetWindowInfo& target);

} // namespace Tolv
