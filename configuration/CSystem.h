#pragma once
// System settings: how the hotkey is sent and which targets are remembered.
#include <string>

#include "configuration/ProcessedPolicy.h"
#include "configuration/SendType.h"
#include "flib/io/CIniFile.h"

namespace Configuration {

class CSystem {
public:
    CSystem() = default;
    virtual ~CSystem() = default;
    virtual CSystem& Assign(const CSystem& other);
    virtual SendType GetType() const;
    virtual void SetType(SendType type);
    virtual ProcessedPolicy GetProcessed() const;
    virtual void SetProcessed(ProcessedPolicy policy);
    virtual int Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix);
    virtual int Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const;
    virtual void CopyFrom(const CSystem& other);
    virtual void Release();
    virtual void Reset();

    CSystem(const CSystem&) = delete;
    CSystem& operator=(const CSystem&) = delete;

private:
    SendType type_ = ST_SENDINPUT_SHIFTFIRST;
    ProcessedPolicy processed_ = PP_WINDOWHANDLE;
};

} // namespace Configuration
