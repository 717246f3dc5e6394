#pragma once
// Binds a configuration to the settings file: prepares the folder, reads the
// file whole into memory, and replaces it in one step when saving.
#include <string>

#include "configuration/CConfigurations.h"

namespace Configuration {

class CLoader final {
public:
    explicit CLoader(const std::wstring& fileName);
    // 1 when the file was read (a missing file reads as all defaults); 0 when
    // the folder cannot be made or the file cannot be read. The configuration
    // then keeps its values. A file that exists but stays unreadable (locked,
    // refused) is left alone from then on: see KeepsUnreadFile.
    virtual int Load(CConfigurations& configurations);
    // 1 when written; 0, with the file unchanged and no temporary left, when the
    // folder cannot be made, the file cannot be written (a directory, read-only,
    // locked), a write fails, or the file was never read.
    virtual int Save(const CConfigurations& configurations);
    virtual std::wstring GetFileName() const;

    // True after a Load that found the file but could not read it.
    bool KeepsUnreadFile() const;
    // The save the user asked for: an unread file is first kept beside itself as
    // "<file name>.bak", then written over.
    int SaveConfirmed(const CConfigurations& configurations);

private:
    int Write(const CConfigurations& configurations) const;
    std::wstring Folder() const;

    std::wstring fileName_;
    bool unreadFile_ = false;
};

} // namespace Configuration
