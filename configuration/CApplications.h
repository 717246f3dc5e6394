#pragma once
// Ordered lists of conditions: the order of evaluation and of the file.
#include <memory>
#include <string>
#include <vector>

#include "configuration/CApplication.h"
#include "flib/io/CIniFile.h"

namespace Configuration {

// Owns its conditions.
class CApplications {
public:
    CApplications() = default;
    virtual ~CApplications();
    virtual CApplications& Assign(const CApplications& other);
    // No range check: callers compare the index with Count first.
    virtual CApplication* GetAt(int index) const;
    virtual int Count() const;
    virtual void Add(std::unique_ptr<CApplication> application);
    // Deletes the condition when it is one of this list's (by identity).
    virtual int Remove(const CApplication* application);
    // A missing "<prefix>.Count" leaves the list unchanged.
    virtual int Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix);
    virtual int Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const;
    virtual void Clear();
    virtual void Reset();
    virtual void CopyFrom(const CApplications& other);
    // A condition of the list's own kind, from the element's keys (defaults
    // for the missing ones).
    virtual std::unique_ptr<CApplication> CreateItem(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const = 0;
    // The two conditions trade places; 0 and no change when an index is out of range.
    virtual int Swap(int first, int second);

    CApplications(const CApplications&) = delete;
    CApplications& operator=(const CApplications&) = delete;

private:
    std::vector<std::unique_ptr<CApplication>> applications_;
};

class CApplications4SwitchOnApplication : public CApplications {
public:
    CApplications4SwitchOnApplication() = default;
    ~CApplications4SwitchOnApplication() override;
    CApplication4SwitchOnApplication* GetAt(int index) const override;
    std::unique_ptr<CApplication> CreateItem(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const override;
};

class CApplications4SwitchOnArchitecture : public CApplications {
public:
    CApplications4SwitchOnArchitecture() = default;
    ~CApplications4SwitchOnArchitecture() override;
    CApplication4SwitchOnArchitecture* GetAt(int index) const override;
    std::unique_ptr<CApplication> CreateItem(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const override;
};

} // namespace Configuration
