#pragma once
// A condition on a target window (match type and expression), and the two
// kinds the lists hold: with an IME number (per-application switching) and
// without (the exclusions of the 32/64-bit switching).
#include <memory>
#include <string>

#include "configuration/MatchType.h"
#include "flib/io/CIniFile.h"

namespace Configuration {

class CApplication {
public:
    CApplication() = default;
    CApplication(MatchType type, const std::wstring& expression);
    virtual ~CApplication() = default;
    virtual MatchType GetMatchType() const;
    virtual void SetMatchType(MatchType type);
    virtual const std::wstring& GetExpression() const;
    virtual void SetExpression(const std::wstring& expression);
    // Missing keys keep the current values.
    virtual int Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix);
    virtual int Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const;
    virtual std::unique_ptr<CApplication> Clone() const;

protected:
    CApplication(const CApplication&) = default;
    CApplication& operator=(const CApplication&) = default;

private:
    MatchType type_ = MT_FILENAME;
    std::wstring expression_;
};

class CApplication4SwitchOnApplication : public CApplication {
public:
    CApplication4SwitchOnApplication() = default;
    CApplication4SwitchOnApplication(MatchType type, const std::wstring& expression, int imeNumber);
    int Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) override;
    int Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const override;
    std::unique_ptr<CApplication> Clone() const override;
    virtual int GetImeNumber() const;
    virtual void SetImeNumber(int imeNumber);

private:
    int imeNumber_ = 0;
};

class CApplication4SwitchOnArchitecture : public CApplication {
public:
    CApplication4SwitchOnArchitecture() = default;
    CApplication4SwitchOnArchitecture(MatchType type, const std::wstring& expression);
    std::unique_ptr<CApplication> Clone() const override;
};

} // namespace Configuration
