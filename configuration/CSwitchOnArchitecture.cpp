#include "configuration/CSwitchOnArchitecture.h"

#include <windows.h>

#include <utility>

#include "configuration/Section.h"

namespace Configuration {

namespace {

const wchar_t* const kListPrefix = L"IgnoreApplication";

// Spelled out: older MinGW headers lack the name.
constexpr WORD kProcessorArchitectureArm64 = 12;

int NativeSystemIs64Bit()
{
    SYSTEM_INFO info = {};
    ::GetNativeSystemInfo(&info);
    switch (info.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_AMD64:
    case PROCESSOR_ARCHITECTURE_IA64:
    case kProcessorArchitectureArm64:
        return 1;
    default:
        return 0;
    }
}

} // namespace

CSwitchOnArchitecture::CSwitchOnArchitecture()
    : ignoreApplications_(std::make_unique<CApplications4SwitchOnArchitecture>()), is64BitSystem_(NativeSystemIs64Bit())
{
}

CSwitchOnArchitecture::~CSwitchOnArchitecture() { Release(); }

CSwitchOnArchitecture& CSwitchOnArchitecture::Assign(const CSwitchOnArchitecture& other)
{
    CopyFrom(other);
    return *this;
}

void CSwitchOnArchitecture::SetUse(int use) { use_ = use; }

int CSwitchOnArchitecture::GetUse() const { return use_; }

int CSwitchOnArchitecture::Get32BitImeNumber() const { return imeNumber32_; }

void CSwitchOnArchitecture::Set32BitImeNumber(int imeNumber) { imeNumber32_ = imeNumber; }

int CSwitchOnArchitecture::Get64BitImeNumber() const { return imeNumber64_; }

void CSwitchOnArchitecture::Set64BitImeNumber(int imeNumber) { imeNumber64_ = imeNumber; }

CApplications4SwitchOnArchitecture* CSwitchOnArchitecture::GetIgnoreApplications() const
{
    return ignoreApplications_.get();
}

int CSwitchOnArchitecture::Is64BitSystem() const { return is64BitSystem_; }

int CSwitchOnArchitecture::Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix)
{
    use_ = ini.ReadBool(kSection, prefix + L".Use", use_);
    imeNumber32_ = ini.ReadInt(kSection, prefix + L".32bit.ImeNumber", imeNumber32_);
    imeNumber64_ = ini.ReadInt(kSection, prefix + L".64bit.ImeNumber", imeNumber64_);
    ignoreApplications_->Load(ini, kListPrefix);
    return 1;
}

int CSwitchOnArchitecture::Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const
{
    ini.WriteBool(kSection, prefix + L".Use", use_);
    ini.WriteInt(kSection, prefix + L".32bit.ImeNumber", imeNumber32_);
    ini.WriteInt(kSection, prefix + L".64bit.ImeNumber", imeNumber64_);
    ignoreApplications_->Save(ini, kListPrefix);
    return 1;
}

void CSwitchOnArchitecture::Release() { ignoreApplications_.reset(); }

// Leaves an empty list rather than none: every reader may rely on GetIgnoreApplications.
void CSwitchOnArchitecture::Reset()
{
    Release();
    ignoreApplications_ = std::make_unique<CApplications4SwitchOnArchitecture>();
}

void CSwitchOnArchitecture::CopyFrom(const CSwitchOnArchitecture& other)
{
    // The copy is made before the old list goes, so copying from itself is harmless.
    auto copy = std::make_unique<CApplications4SwitchOnArchitecture>();
    copy->CopyFrom(*other.ignoreApplications_);
    use_ = other.use_;
    imeNumber32_ = other.imeNumber32_;
    imeNumber64_ = other.imeNumber64_;
    is64BitSystem_ = other.is64BitSystem_;
    ignoreApplications_ = std::move(copy);
}

} // namespace Configuration
