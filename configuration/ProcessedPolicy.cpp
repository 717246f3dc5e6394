#include "configuration/ProcessedPolicy.h"

#include "configuration/EnumFileText.h"

namespace Configuration {

namespace {
constexpr EnumFileText<ProcessedPolicy> kFileTexts[] = {
    {PP_WINDOWHANDLE, L"PP_WINDOWHANDLE"},
    {PP_PROCESSID, L"PP_PROCESSID"},
    {PP_NONE, L"PP_NONE"},
};
} // namespace

std::wstring ProcessedPolicyToName(ProcessedPolicy policy) { return ToFileText(kFileTexts, policy); }

ProcessedPolicy ProcessedPolicyFromName(const std::wstring& name)
{
    return FromFileText(kFileTexts, name, kUnrecognisedProcessedPolicy);
}

} // namespace Configuration
