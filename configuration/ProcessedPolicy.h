#pragma once
// Which switched targets are remembered, so that each is switched only once.
#include <cstdint>
#include <string>

namespace Configuration {

// An unrecognised name in the file reads as 3, which remembers nothing like PP_NONE.
enum ProcessedPolicy : std::int32_t {
    PP_WINDOWHANDLE = 0,
    PP_PROCESSID = 1,
    PP_NONE = 2,
};

constexpr ProcessedPolicy kUnrecognisedProcessedPolicy = static_cast<ProcessedPolicy>(3);

// The name in the file; empty for a value outside 0 to 2.
std::wstring ProcessedPolicyToName(ProcessedPolicy policy);
// Exact, case-sensitive comparison with the three names; 3 for anything else.
ProcessedPolicy ProcessedPolicyFromName(const std::wstring& name);

} // namespace Configuration
