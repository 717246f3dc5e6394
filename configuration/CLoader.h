#pragma once
// Binds a configuration to the settings file: prepares the folder, checks the
// file and writes the format version.
#include <string>

#include "configuration/CConfigurations.h"

namespace Configuration {

class CLoader final {
public:
    explicit CLoader(const std::wstring& fileName);
    // 1 when the file was read (a missing file reads as all defaults); 0 when
    // the folder cannot be made or the file cannot be read. The configuration
    // then keeps its values.
    virtual int Load(CConfigurations& configurations) const;
    // 1 when written; 0, with the file unchanged, when the folder cannot be
    // made or the file cannot be written (a directory, read-only, locked).
    virtual int Save(const CConfigurations& configurations) const;
    virtual std::wstring GetFileName() const;

private:
    int Prepare(Flib::IO::File::CIniFile& ini, bool readOnly) const;

    std::wstring fileName_;
};

} // namespace Configuration
