#include "flib/io/WholeFile.h"

#include "flib/Owned.h"

namespace Flib { namespace IO { namespace File {

namespace {

constexpr DWORD kRetryPauseMs = 50;

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

bool RetryFor(DWORD patienceMs, const std::function<bool()>& attempt)
{
    const ULONGLONG deadline = ::GetTickCount64() + patienceMs;
    for (;;) {
        if (attempt()) {
            return true;
        }
        if (::GetTickCount64() >= deadline) {
            return false;
        }
        ::Sleep(kRetryPauseMs);
    }
}

WholeFileRead ReadWholeFile(const std::wstring& path, std::string& bytes, DWORD patienceMs)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return WFR_MISSING;
    }
    bool missing = false;
    const bool read = RetryFor(patienceMs, [&] {
        bytes.clear();
        // Reading only: whoever else has the file open may go on writing or even delete it.
        const OwnedHandle file = OwnFile(::CreateFileW(path.c_str(), GENERIC_READ,
                                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            missing = IsMissing(::GetLastError());
            return missing;
        }
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) {
            return false;
        }
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD done = 0;
        // A byte-range lock of another program fails the read: try again later.
        return bytes.empty() || (::ReadFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                                 done == bytes.size());
    });
    if (missing) {
        bytes.clear();
        return WFR_MISSING;
    }
    return read ? WFR_READ : WFR_FAILED;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    const OwnedHandle file =
        OwnFile(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    DWORD done = 0;
    const bool written = bytes.empty() || (::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &done,
                                                       nullptr) && done == bytes.size());
    return written;
}

}}} // namespace Flib::IO::File
