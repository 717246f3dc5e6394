#pragma once
// The root of the settings model: owns the five groups of settings.
#include <memory>

#include "configuration/CImes.h"
#include "configuration/CNotify.h"
#include "configuration/CSwitchOnApplication.h"
#include "configuration/CSwitchOnArchitecture.h"
#include "configuration/CSystem.h"
#include "flib/io/CIniFile.h"

namespace Configuration {

class CConfigurations {
public:
    // Every group with its defaults.
    CConfigurations();
    virtual ~CConfigurations();
    // Replaces every group by a deep copy of the other configuration's.
    virtual CConfigurations& Assign(const CConfigurations& other);
    // The owned groups themselves; settings are changed through them.
    virtual CImes* GetImes() const;
    virtual CSystem* GetSystem() const;
    virtual CSwitchOnApplication* GetSwitchOnApplication() const;
    virtual CSwitchOnArchitecture* GetSwitchOnArchitecture() const;
    virtual CNotify* GetNotify() const;
    virtual int Load(Flib::IO::File::CIniFile& ini);
    virtual int Save(Flib::IO::File::CIniFile& ini) const;

    CConfigurations(const CConfigurations&) = delete;
    CConfigurations& operator=(const CConfigurations&) = delete;

private:
    std::unique_ptr<CImes> imes_;
    std::unique_ptr<CSystem> system_;
    std::unique_ptr<CSwitchOnApplication> switchOnApplication_;
    std::unique_ptr<CSwitchOnArchitecture> switchOnArchitecture_;
    std::unique_ptr<CNotify> notify_;
};

} // namespace Configuration
