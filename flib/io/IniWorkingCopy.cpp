#include "flib/io/IniWorkingCopy.h"

#include "flib/Owned.h"
#include "flib/io/WholeFile.h"

namespace Flib { namespace IO { namespace File {

namespace {

// The profile functions keep files in a cache of their own (Wine refreshes it
// only when the time stamp changes); a temporary name may come back later.
void ForgetCachedProfile(const std::wstring& path) { ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str()); }

} // namespace

IniWorkingCopy::IniWorkingCopy(const std::wstring& original, const std::wstring& folder, DWORD patienceMs)
    : original_(original)
{
    const WholeFileRead read = ReadWholeFile(original, originalBytes_, patienceMs);
    if (read == WFR_FAILED) {
        unreadable_ = true;
        return;
    }
    existed_ = read == WFR_READ;
    const DecodedFile decoded = DecodeFileText(originalBytes_);
    encoding_ = existed_ ? decoded.encoding : FE_UTF16LE;

    wchar_t name[MAX_PATH] = {};
    if (::GetTempFileNameW(folder.c_str(), L"tlv", 0, name) == 0) {
        return;
    }
    path_ = name;
    if (!WriteWholeFile(path_, EncodeUtf16LeWithByteOrderMark(decoded.text))) {
        Discard();
    }
}

IniWorkingCopy::~IniWorkingCopy() { Discard(); }

bool IniWorkingCopy::Commit(DWORD patienceMs)
{
    if (path_.empty()) {
        return false;
    }
    ForgetCachedProfile(path_);
    {
        const OwnedHandle copy = OwnFile(::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                       FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!copy || !::FlushFileBuffers(copy.Get())) {
            return false;
        }
    }
    // Same folder, so a rename: readers see the old file or the new one, never a mix.
    if (!RetryFor(patienceMs, [&] {
            return ::MoveFileExW(path_.c_str(), original_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                   FALSE;
        })) {
        return false;
    }
    path_.clear();
    return true;
}

void IniWorkingCopy::Discard()
{
    if (path_.empty()) {
        return;
    }
    ForgetCachedProfile(path_);
    ::DeleteFileW(path_.c_str());
    path_.clear();
}

}}} // namespace Flib::IO::File
