#pragma once
// An INI file read whole into memory, edited there, and put back in one step:
// the file itself is only ever read whole and replaced whole.
#include <windows.h>

#include <string>

#include "flib/io/FileEncoding.h"
#include "flib/io/IniDocument.h"

namespace Flib { namespace IO { namespace File {

class IniWorkingCopy {
public:
    // Reads `original` (however it is encoded; retrying a locked file for up to
    // `patienceMs`). A missing original gives an empty document. `folder` is
    // where the new file is written at Commit: the original's own folder, so
    // that putting it in place is a rename.
    IniWorkingCopy(const std::wstring& original, const std::wstring& folder, DWORD patienceMs);

    bool OriginalUnreadable() const { return unreadable_; }
    bool OriginalExisted() const { return existed_; }
    // The original's bytes and encoding as they were read.
    const std::string& OriginalBytes() const { return originalBytes_; }
    FileEncoding OriginalEncoding() const { return encoding_; }

    IniDocument& Document() { return document_; }

    // Writes the document as UTF-16LE into a new file in the folder, flushes it
    // to the disk and puts it in place of the original in one step. False, with
    // the original as it was and no new file left, when that cannot be done.
    bool Commit(DWORD patienceMs) const;

private:
    std::wstring original_;
    std::wstring folder_;
    std::string originalBytes_;
    IniDocument document_;
    FileEncoding encoding_ = FE_UTF16LE;
    bool existed_ = false;
    bool unreadable_ = false;
};

}}} // namespace Flib::IO::File
