#pragma once
// A thin view of one C runtime stream. It never closes the stream on its own:
// whoever opened or attached it calls Close.
#include <cstdarg>
#include <cstddef>
#include <cstdio>

namespace Flib { namespace IO { namespace File {

class CFileStdW {
public:
    virtual ~CFileStdW() = default;
    virtual void Attach(FILE* stream);
    virtual FILE* Open(const wchar_t* path, const wchar_t* mode);
    virtual int Close();
    virtual wchar_t* GetLine(wchar_t* buffer, int count);
    virtual int PutString(const wchar_t* text);
    virtual void Rewind();
    virtual int Printf(const wchar_t* format, ...);
    virtual int Seek(long offset, int origin);
    virtual long Tell();
    virtual std::size_t Write(const void* data, std::size_t size, std::size_t count);
    virtual std::size_t Read(void* data, std::size_t size, std::size_t count);
    virtual FILE* GetHandle() const;

private:
    FILE* stream_ = nullptr;
};

}}} // namespace Flib::IO::File
