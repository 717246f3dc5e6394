#pragma once
// Per-application switching: the ordered conditions, each with its IME number.
#include <memory>
#include <string>

#include "configuration/CApplications.h"
#include "flib/io/CIniFile.h"

namespace Configuration {

// Owns its condition list.
class CSwitchOnApplication {
public:
    CSwitchOnApplication();
    virtual ~CSwitchOnApplication();
    virtual CSwitchOnApplication& Assign(const CSwitchOnApplication& other);
    virtual CApplications4SwitchOnApplication* GetApplications() const;
    // The list is stored under "Application" whatever prefix is passed in.
    virtual int Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix);
    virtual int Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const;
    virtual void Release();
    virtual void Reset();
    virtual void CopyFrom(const CSwitchOnApplication& other);

    CSwitchOnApplication(const CSwitchOnApplication&) = delete;
    CSwitchOnApplication& operator=(const CSwitchOnApplication&) = delete;

private:
    std::unique_ptr<CApplications4SwitchOnApplication> applications_;
};

} // namespace Configuration
