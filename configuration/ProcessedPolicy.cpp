#include "configuration/ProcessedPolicy.h"

namespace Configuration {

namespace {
const wchar_t* const kNames[] = {
    L"PP_WINDOWHANDLE",
    L"PP_PROCESSID",
    L"PP_NONE",
};
constexpr int kCount = static_cast<int>(sizeof kNames / sizeof kNames[0]);
} // namespace

std::wstring ProcessedPolicyToName(ProcessedPolicy policy)
{
    return (policy >= 0 && policy < kCount) ? kNames[policy] : L"";
}

ProcessedPolicy ProcessedPolicyFromName(const std::wstring& name)
{
    for (int value = 0; value < kCount; ++value) {
        if (name == kNames[value]) {
            return static_cast<ProcessedPolicy>(value);
        }
    }
    return kUnrecognisedProcessedPolicy;
}

} // namespace Configuration
