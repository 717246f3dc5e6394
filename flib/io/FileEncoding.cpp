#include "flib/io/FileEncoding.h"

#include <windows.h>

#include <cstring>

namespace Flib { namespace IO { namespace File {

namespace {

static_assert(sizeof(wchar_t) == 2, "UTF-16 text is copied byte for byte");

bool BeginsWith(const std::string& bytes, const char* mark)
{
    return bytes.compare(0, std::strlen(mark), mark) == 0;
}

// False when `strict` is set and the bytes are not valid in the code page.
bool Decode(UINT codePage, bool strict, const char* data, std::size_t size, std::wstring& text)
{
    text.clear();
    if (size == 0) {
        return true;
    }
    const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
    const int length = ::MultiByteToWideChar(codePage, flags, data, static_cast<int>(size), nullptr, 0);
    if (length <= 0) {
        return false;
    }
    text.resize(static_cast<std::size_t>(length));
    return ::MultiByteToWideChar(codePage, flags, data, static_cast<int>(size), &text[0], length) == length;
}

bool HasNonAscii(const std::string& bytes)
{
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            return true;
        }
    }
    return false;
}

} // namespace

DecodedFile DecodeFileText(const std::string& bytes)
{
    DecodedFile decoded;
    if (BeginsWith(bytes, "\xFF\xFE")) {
        decoded.encoding = FE_UTF16LE;
        decoded.byteOrderMark = true;
        // An odd last byte is half a character: nothing a profile read could see either.
        decoded.text.assign((bytes.size() - 2) / 2, L'\0');
        if (!decoded.text.empty()) {
            std::memcpy(&decoded.text[0], bytes.data() + 2, decoded.text.size() * sizeof(wchar_t));
        }
        return decoded;
    }
    if (BeginsWith(bytes, "\xEF\xBB\xBF")) {
        decoded.encoding = FE_UTF8;
        decoded.byteOrderMark = true;
        Decode(CP_UTF8, false, bytes.data() + 3, bytes.size() - 3, decoded.text);
        return decoded;
    }
    // Notepad writes UTF-8 without a mark; Japanese ANSI text is practically never valid UTF-8.
    if (HasNonAscii(bytes) && Decode(CP_UTF8, true, bytes.data(), bytes.size(), decoded.text)) {
        decoded.encoding = FE_UTF8;
        return decoded;
    }
    decoded.encoding = FE_ANSI;
    Decode(CP_ACP, false, bytes.data(), bytes.size(), decoded.text);
    return decoded;
}

std::string EncodeFileText(const std::wstring& text, FileEncoding encoding, bool byteOrderMark)
{
    if (encoding == FE_UTF16LE) {
        const std::string bytes = EncodeUtf16LeWithByteOrderMark(text);
        return byteOrderMark ? bytes : bytes.substr(2);
    }
    const UINT codePage = encoding == FE_UTF8 ? CP_UTF8 : CP_ACP;
    std::string bytes = encoding == FE_UTF8 && byteOrderMark ? std::string("\xEF\xBB\xBF") : std::string();
    if (text.empty()) {
        return bytes;
    }
    const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                           nullptr);
    if (size <= 0) {
        return bytes;
    }
    const std::size_t head = bytes.size();
    bytes.resize(head + static_cast<std::size_t>(size));
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &bytes[head], size, nullptr, nullptr);
    return bytes;
}

std::string EncodeUtf16LeWithByteOrderMark(const std::wstring& text)
{
    std::string bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

}}} // namespace Flib::IO::File
