#pragma once
// Notification settings: whether a balloon follows each switch and which facts it lists.
#include <string>

#include "flib/io/CIniFile.h"

namespace Configuration {

// Copyable: a copy takes the eight flags.
class CNotify {
public:
    CNotify() = default;
    virtual ~CNotify() = default;
    virtual void SetUse(int use);
    virtual int GetUse() const;
    virtual int GetShowProcessId() const;
    virtual void SetShowProcessId(int show);
    virtual int GetShowSubSystem() const;
    virtual void SetShowSubSystem(int show);
    virtual int GetShowFileName() const;
    virtual void SetShowFileName(int show);
    virtual int GetShowFullPath() const;
    virtual void SetShowFullPath(int show);
    virtual int GetShowWindowHandle() const;
    virtual void SetShowWindowHandle(int show);
    virtual int GetShowClassName() const;
    virtual void SetShowClassName(int show);
    virtual int GetShowWindowText() const;
    virtual void SetShowWindowText(int show);
    // Also reads the older "PopupBalloonTips.Use", which Save never writes.
    virtual int Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix);
    virtual int Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const;

    CNotify(const CNotify&) = default;
    CNotify& operator=(const CNotify&) = default;

private:
    int use_ = 1;
    int showProcessId_ = 1;
    int showSubSystem_ = 1;
    int showFileName_ = 1;
    int showFullPath_ = 1;
    int showWindowHandle_ = 1;
    int showClassName_ = 1;
    int showWindowText_ = 1;
};

} // namespace Configuration
