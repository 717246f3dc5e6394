#pragma once
// Text encodings a settings file may arrive in, and the one tolv writes.
#include <string>

namespace Flib { namespace IO { namespace File {

enum FileEncoding : int {
    FE_UTF16LE = 0, // with a byte-order mark: what tolv writes
    FE_UTF8 = 1,    // with a byte-order mark, or valid UTF-8 holding multi-byte sequences
    FE_ANSI = 2,    // anything else: the system code page, as the profile functions read it
};

struct DecodedFile {
    std::wstring text; // without a byte-order mark
    FileEncoding encoding = FE_ANSI;
    bool byteOrderMark = false;
};

DecodedFile DecodeFileText(const std::string& bytes);

// The byte-order mark FF FE, then the text as UTF-16LE.
std::string EncodeUtf16LeWithByteOrderMark(const std::wstring& text);
// The text as a file of that encoding, with or without its byte-order mark
// (an ANSI file has none); the inverse of DecodeFileText.
std::string EncodeFileText(const std::wstring& text, FileEncoding encoding, bool byteOrderMark);

}}} // namespace Flib::IO::File
