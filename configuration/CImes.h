#pragma once
// The ordered list of IME slots; a slot's position is its IME number.
#include <memory>
#include <string>
#include <vector>

#include "configuration/CIme.h"
#include "flib/io/CIniFile.h"

namespace Configuration {

// Owns its slots.
class CImes {
public:
    // The four slots "IME-1" to "IME-4" on Alt+Shift+1 to Alt+Shift+4.
    CImes();
    virtual ~CImes();
    virtual CImes& Assign(const CImes& other);
    // No range check: callers compare the index with Count first.
    virtual CIme* GetAt(int index) const;
    virtual int Count() const;
    // 0, with the list unchanged, when the file has no "<prefix>.Count".
    virtual int Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix);
    virtual int Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const;
    virtual void Add(std::unique_ptr<CIme> ime);
    virtual void Clear();
    virtual void Reset();
    virtual void CopyFrom(const CImes& other);
    // Null when the element has no name.
    virtual std::unique_ptr<CIme> CreateItem(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const;

    CImes(const CImes&) = delete;
    CImes& operator=(const CImes&) = delete;

private:
    std::vector<std::unique_ptr<CIme>> imes_;
};

} // namespace Configuration
