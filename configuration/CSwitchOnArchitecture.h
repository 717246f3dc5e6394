#pragma once
// Per-architecture switching: one IME number for 32-bit processes, one for
// 64-bit processes, except for the processes on the exclusion list. It only
// counts on a 64-bit system.
#include <memory>
#include <string>

#include "configuration/CApplications.h"
#include "flib/io/CIniFile.h"

namespace Configuration {

// Owns its exclusion list.
class CSwitchOnArchitecture {
public:
    CSwitchOnArchitecture();
    virtual ~CSwitchOnArchitecture();
    virtual CSwitchOnArchitecture& Assign(const CSwitchOnArchitecture& other);
    virtual void SetUse(int use);
    virtual int GetUse() const;
    virtual int Get32BitImeNumber() const;
    virtual void Set32BitImeNumber(int imeNumber);
    virtual int Get64BitImeNumber() const;
    virtual void Set64BitImeNumber(int imeNumber);
    virtual CApplications4SwitchOnArchitecture* GetIgnoreApplications() const;
    // 1 on a 64-bit processor architecture (x64, ARM64, Itanium); never stored in the file.
    virtual int Is64BitSystem() const;
    // The exclusion list is stored under "IgnoreApplication", not under `prefix`.
    virtual int Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix);
    virtual int Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const;
    virtual void Release();
    virtual void Reset();
    virtual void CopyFrom(const CSwitchOnArchitecture& other);

    CSwitchOnArchitecture(const CSwitchOnArchitecture&) = delete;
    CSwitchOnArchitecture& operator=(const CSwitchOnArchitecture&) = delete;

private:
    int use_ = 0;
    int imeNumber32_ = 0;
    int imeNumber64_ = 0;
    std::unique_ptr<CApplications4SwitchOnArchitecture> ignoreApplications_;
    int is64BitSystem_ = 0;
};

} // namespace Configuration
