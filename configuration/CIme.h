#pragma once
// One IME slot: the name the user gave it and the hotkey that selects it.
#include <string>

#include "flib/io/CIniFile.h"
#include "flib/io/CKeys.h"

namespace Configuration {

class CIme {
public:
    CIme() = default;
    CIme(const std::wstring& name, const Flib::IO::Input::CKeys& keys);
    virtual ~CIme() = default;
    // A plain value: the engine keeps a copy of the slot whose keys it is about to press.
    CIme(const CIme&) = default;
    CIme& operator=(const CIme&) = default;
    CIme(CIme&&) = default;
    CIme& operator=(CIme&&) = default;
    virtual const std::wstring& GetName() const;
    virtual void SetName(const std::wstring& name);
    virtual const Flib::IO::Input::CKeys& GetKeys() const;
    virtual void SetKeys(const Flib::IO::Input::CKeys& keys);
    // 1 when the element has a name; 0, and nothing changed, when it has none.
    virtual int Load(Flib::IO::File::CIniFile& ini, const std::wstring& prefix);
    virtual int Save(Flib::IO::File::CIniFile& ini, const std::wstring& prefix) const;

private:
    std::wstring name_;
    Flib::IO::Input::CKeys keys_;
};

} // namespace Configuration
