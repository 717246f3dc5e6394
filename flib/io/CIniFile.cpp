#include "flib/io/CIniFile.h"

#include <windows.h>
#include <shlobj.h>

#include <boost/lexical_cast.hpp>

#include <stdexcept>

#include "flib/Owned.h"
#include "flib/io/FileEncoding.h"
#include "flib/io/IniDocument.h"
#include "flib/io/PathOperations.h"
#include "flib/io/WholeFile.h"

namespace Flib { namespace IO { namespace File {

namespace {

constexpr int kValueBufferSize = 8192;

// What the profile read drops around a value: blanks and one pair of enclosing
// quotes. Any blank or control character counts, wider than the read's own
// set, so that no reader that trims more loses it either.
bool IsLostAtTheEdge(wchar_t c)
{
    if (c == L'"' || c == L'\'') {
        return true;
    }
    WORD type = 0;
    return ::GetStringTypeW(CT_CTYPE1, &c, 1, &type) && (type & (C1_SPACE | C1_BLANK | C1_CNTRL)) != 0;
}

// Enclosed in double quotes when the profile read would change it, so it
// reads back exactly; the read strips the one pair again.
std::wstring ProtectValue(const std::wstring& value)
{
    if (value.empty() || (!IsLostAtTheEdge(value.front()) && !IsLostAtTheEdge(value.back()))) {
        return value;
    }
    return L"\"" + value + L"\"";
}

std::wstring Text(const wchar_t* text) { return text ? std::wstring(text) : std::wstring(); }

struct LoadedFile {
    IniDocument document;
    // A new file is UTF-16LE: the ANSI code page would lose every character
    // outside it (Japanese names on a Western system).
    FileEncoding encoding = FE_UTF16LE;
    bool byteOrderMark = true;
    bool exists = false;
};

// False when a file is there but cannot be read.
bool LoadFile(const std::wstring& path, LoadedFile& file)
{
    std::string bytes;
    const WholeFileRead read = ReadWholeFile(path, bytes, 0);
    if (read != WFR_READ) {
        return read == WFR_MISSING;
    }
    const DecodedFile decoded = DecodeFileText(bytes);
    file.document = IniDocument(decoded.text);
    file.encoding = decoded.encoding;
    file.byteOrderMark = decoded.byteOrderMark;
    file.exists = true;
    return true;
}

} // namespace

CIniFile::CIniFile(IniDocument& document) : document_(&document) {}

CIniFile::~CIniFile() { path_.clear(); }

int CIniFile::Open(const std::wstring& path, bool readOnly, bool truncate)
{
    path_ = path;
    const PathKind kind = GetPathKind(path);
    if (kind == PK_DIRECTORY) {
        return 0;
    }
    if (kind == PK_NOTHING) {
        return 1;
    }
    // Windows refuses write access to a read-only file; a process with the
    // rights to ignore the attribute (Wine run as root) must not write it either.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (!readOnly && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return 0;
    }
    const DWORD access = readOnly ? GENERIC_READ : (GENERIC_READ | GENERIC_WRITE);
    const DWORD disposition = (!readOnly && truncate) ? CREATE_ALWAYS : OPEN_ALWAYS;
    // Only proves that the file can be used with this access; nothing is kept open.
    const OwnedHandle file = OwnFile(::CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    return file ? 1 : 0;
}

int CIniFile::Close()
{
    path_.clear();
    document_ = nullptr;
    return 1;
}

bool CIniFile::HasFailedWrite() const { return writeFailed_; }

int CIniFile::ReadValue(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue,
                        int size, std::wstring& value) const
{
    if (document_ != nullptr) {
        return document_->Read(section, key, defaultValue, size, value);
    }
    // A file that cannot be read answers like a missing one: with the default.
    LoadedFile file;
    LoadFile(path_, file);
    return file.document.Read(section, key, defaultValue, size, value);
}

template <typename Edit>
int CIniFile::EditFile(bool create, Edit edit)
{
    if (document_ != nullptr) {
        return edit(*document_);
    }
    LoadedFile file;
    if (!LoadFile(path_, file) || (!file.exists && !create)) {
        return 0;
    }
    const int result = edit(file.document);
    return WriteWholeFile(path_, EncodeFileText(file.document.Text(), file.encoding, file.byteOrderMark)) ? result : 0;
}

int CIniFile::ReadStringToBuffer(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                                 wchar_t* buffer, int size)
{
    if (buffer == nullptr || size <= 0) {
        return 0;
    }
    std::wstring value;
    const int count = ReadValue(Text(section), Text(key), Text(defaultValue), size, value);
    value.copy(buffer, value.size());
    buffer[value.size()] = L'\0';
    return count;
}

int CIniFile::ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue,
                         std::wstring& value)
{
    return ReadValue(section, key, defaultValue, kValueBufferSize, value);
}

int CIniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    const int written = EditFile(true, [&](IniDocument& document) {
        document.Write(section, key, ProtectValue(value));
        return 1;
    });
    if (!written) {
        writeFailed_ = true;
    }
    return written;
}

int CIniFile::ReadInt(const std::wstring& section, const std::wstring& key, int defaultValue)
{
    std::wstring text;
    if (ReadString(section, key, L"", text) == 0) {
        return defaultValue;
    }
    // A hand-edited value that is not a whole decimal number (letters, a
    // fraction, trailing text, out of range) is treated like a missing one.
    int value = 0;
    return boost::conversion::try_lexical_convert(text, value) ? value : defaultValue;
}

int CIniFile::WriteInt(const std::wstring& section, const std::wstring& key, int value)
{
    return WriteString(section, key, boost::lexical_cast<std::wstring>(value));
}

int CIniFile::ReadBool(const std::wstring& section, const std::wstring& key, int defaultValue)
{
    std::wstring text;
    if (ReadString(section, key, L"", text) == 0) {
        return defaultValue;
    }
    return text == L"true" ? 1 : 0;
}

int CIniFile::WriteBool(const std::wstring& section, const std::wstring& key, int value)
{
    return WriteString(section, key, value ? L"true" : L"false");
}

int CIniFile::DeleteSection(const wchar_t* section)
{
    const std::wstring header = L"[" + Text(section) + L"]";
    return EditFile(false, [&](IniDocument& document) { return document.RemoveLines(header, std::wstring()) ? 1 : 0; });
}

int CIniFile::DeleteKey(const wchar_t* section, const wchar_t* key)
{
    const std::wstring header = L"[" + Text(section) + L"]";
    const std::wstring prefix = Text(key) + L"=";
    return EditFile(false, [&](IniDocument& document) { return document.RemoveLines(header, prefix) ? 1 : 0; });
}

void CIniFile::GenerateIniFileFullPathForApplicationData(const std::wstring& maker, const std::wstring& product,
                                                         const std::wstring& fileName, std::wstring& path)
{
    wchar_t folder[MAX_PATH + 1] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, FALSE)) {
        // Narrow text in the Japanese system code page (932).
        throw std::domain_error(
            "CIniFile::GenerateIniFileFullPathForApplicationData() : "
            "\x95\xDB\x91\xB6\x90\xE6\x83\x74\x83\x48\x83\x8B\x83\x5F\x82\xCC\x8E\xE6\x93\xBE\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD");
    }
    path = std::wstring(folder) + L"\\" + maker + L"\\" + product + L"\\" + fileName;
}

}}} // namespace Flib::IO::File
