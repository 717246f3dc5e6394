#include "flib/io/CFileStdW.h"

#include <share.h>

#include <cwchar>

namespace Flib { namespace IO { namespace File {

void CFileStdW::Attach(FILE* stream) { stream_ = stream; }

FILE* CFileStdW::Open(const wchar_t* path, const wchar_t* mode)
{
    // _wfopen itself, with its sharing, under a name no compiler flags as unsafe.
    stream_ = ::_wfsopen(path, mode, _SH_DENYNO);
    return stream_;
}

int CFileStdW::Close()
{
    if (!stream_) {
        return -1;
    }
    const int result = std::fclose(stream_);
    stream_ = nullptr;
    return result;
}

wchar_t* CFileStdW::GetLine(wchar_t* buffer, int count)
{
    return stream_ ? std::fgetws(buffer, count, stream_) : nullptr;
}

int CFileStdW::PutString(const wchar_t* text) { return stream_ ? std::fputws(text, stream_) : -1; }

void CFileStdW::Rewind()
{
    if (stream_) {
        std::rewind(stream_);
    }
}

int CFileStdW::Printf(const wchar_t* format, ...)
{
    if (!stream_) {
        return 0;
    }
    va_list arguments;
    va_start(arguments, format);
    const int result = std::vfwprintf(stream_, format, arguments);
    va_end(arguments);
    return result;
}

int CFileStdW::Seek(long offset, int origin) { return stream_ ? std::fseek(stream_, offset, origin) : 0; }

// Unlike the bare CRT calls, a view without a stream answers instead of
// handing null to the runtime, which ends the process on some runtimes.
long CFileStdW::Tell() { return stream_ ? std::ftell(stream_) : -1L; }

std::size_t CFileStdW::Write(const void* data, std::size_t size, std::size_t count)
{
    return stream_ ? std::fwrite(data, size, count, stream_) : 0;
}

std::size_t CFileStdW::Read(void* data, std::size_t size, std::size_t count)
{
    return stream_ ? std::fread(data, size, count, stream_) : 0;
}

FILE* CFileStdW::GetHandle() const { return stream_; }

}}} // namespace Flib::IO::File
