#pragma once
// A private UTF-16LE copy of an INI file for the profile functions to read and
// write, so that the file itself is only ever read whole and replaced whole.
#include <windows.h>

#include <string>

#include "flib/io/FileEncoding.h"

namespace Flib { namespace IO { namespace File {

class IniWorkingCopy {
public:
    // Reads `original` (however it is encoded; retrying a locked file for up to
    // `patienceMs`) into a new temporary file in `folder`. A missing original
    // gives a copy with nothing but the byte-order mark.
    IniWorkingCopy(const std::wstring& original, const std::wstring& folder, DWORD patienceMs);
    ~IniWorkingCopy(); // removes the copy unless it was committed
    IniWorkingCopy(const IniWorkingCopy&) = delete;
    IniWorkingCopy& operator=(const IniWorkingCopy&) = delete;

    // False when the original could not be read or the copy not be made.
    bool Made() const { return !path_.empty(); }
    bool OriginalUnreadable() const { return unreadable_; }
    const std::wstring& Path() const { return path_; }

    bool OriginalExisted() const { return existed_; }
    // The original's bytes and encoding as they were read.
    const std::string& OriginalBytes() const { return originalBytes_; }
    FileEncoding OriginalEncoding() const { return encoding_; }

    // Flushes the copy to the disk and puts it in place of the original in one
    // step. False, with the original as it was, when that cannot be done.
    bool Commit(DWORD patienceMs);

private:
    void Discard();

    std::wstring original_;
    std::wstring path_;
    std::string originalBytes_;
    FileEncoding encoding_ = FE_UTF16LE;
    bool existed_ = false;
    bool unreadable_ = false;
};

}}} // namespace Flib::IO::File
