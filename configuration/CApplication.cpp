#include "configuration/CApplication.h"

#include "configuration/Section.h"

namespace Configuration {

CApplication::CApplication(MatchType type, const std::wstring& expression) : type_(type), expression_(expression) {}

MatchType CApplication::GetMatchType() const { return type_; }

void CApplication::SetMatchType(MatchType type) { type_ = type; }

const std::wstring& CApplication::GetExpression() const { return expression_; }

void CApplication::SetExpression(const std::wstring& expression) { expression_ = expression; }

int CApplication::Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix)
{
    std::wstring name;
    std::wstring expression;
    ini.ReadString(kSection, prefix + L".Match", MatchTypeToName(type_), name);
    ini.ReadString(kSection, prefix + L".Expression", expression_, expression);
    type_ = MatchTypeFromName(name);
    expression_ = expression;
    return 1;
}

int CApplication::Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const
{
    ini.WriteString(kSection, prefix + L".Match", MatchTypeToName(type_));
    ini.WriteString(kSection, prefix + L".Expression", expression_);
    return 1;
}

std::unique_ptr<CApplication> CApplication::Clone() const { return std::unique_ptr<CApplication>(new CApplication(*this)); }

CApplication4SwitchOnApplication::CApplication4SwitchOnApplication(MatchType type, const std::wstring& expression,
                                                                   int imeNumber)
    : CApplication(type, expression), imeNumber_(imeNumber)
{
}

int CApplication4SwitchOnApplication::Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix)
{
    CApplication::Load(ini, prefix);
    imeNumber_ = ini.ReadInt(kSection, prefix + L".ImeNumber", imeNumber_);
    return 1;
}

int CApplication4SwitchOnApplication::Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const
{
    CApplication::Save(ini, prefix);
    ini.WriteInt(kSection, prefix + L".ImeNumber", imeNumber_);
    return 1;
}

std::unique_ptr<CApplication> CApplication4SwitchOnApplication::Clone() const
{
    return std::make_unique<CApplication4SwitchOnApplication>(*this);
}

int CApplication4SwitchOnApplication::GetImeNumber() const { return imeNumber_; }

void CApplication4SwitchOnApplication::SetImeNumber(int imeNumber) { imeNumber_ = imeNumber; }

CApplication4SwitchOnArchitecture::CApplication4SwitchOnArchitecture(MatchType type, const std::wstring& expression)
    : CApplication(type, expression)
{
}

std::unique_ptr<CApplication> CApplication4SwitchOnArchitecture::Clone() const
{
    return std::make_unique<CApplication4SwitchOnArchitecture>(*this);
}

} // namespace Configuration
