#include "flib/io/IniWorkingCopy.h"

#include <cwchar>

#include "flib/Owned.h"
#include "flib/io/WholeFile.h"

namespace Flib { namespace IO { namespace File {

namespace {

// A new, empty file of a name nobody uses yet in `folder`, however long the
// folder's path is; null when none can be made.
OwnedHandle CreateNewFile(const std::wstring& folder, std::wstring& path)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[32] = {};
        std::swprintf(name, 32, L"\\tlv%04lX%04X.tmp", ::GetCurrentProcessId() & 0xFFFF, ++counter & 0xFFFF);
        path = folder + name;
        OwnedHandle file = OwnFile(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                 FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || ::GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return OwnedHandle();
}

bool WriteAndFlush(HANDLE file, const std::string& bytes)
{
    DWORD done = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) && done == bytes.size() &&
           ::FlushFileBuffers(file);
}

} // namespace

IniWorkingCopy::IniWorkingCopy(const std::wstring& original, const std::wstring& folder, DWORD patienceMs)
    : original_(original), folder_(folder)
{
    const WholeFileRead read = ReadWholeFile(original, originalBytes_, patienceMs);
    if (read == WFR_FAILED) {
        unreadable_ = true;
        return;
    }
    existed_ = read == WFR_READ;
    const DecodedFile decoded = DecodeFileText(originalBytes_);
    encoding_ = existed_ ? decoded.encoding : FE_UTF16LE;
    document_ = IniDocument(decoded.text);
}

bool IniWorkingCopy::Commit(DWORD patienceMs) const
{
    std::wstring path;
    bool written = false;
    {
        const OwnedHandle file = CreateNewFile(folder_, path);
        if (!file) {
            return false;
        }
        written = WriteAndFlush(file.Get(), EncodeUtf16LeWithByteOrderMark(document_.Text()));
    }
    // Same folder, so a rename: readers see the old file or the new one, never a mix.
    if (written && RetryFor(patienceMs, [&] {
            return ::MoveFileExW(path.c_str(), original_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
                   FALSE;
        })) {
        return true;
    }
    ::DeleteFileW(path.c_str());
    return false;
}

}}} // namespace Flib::IO::File
