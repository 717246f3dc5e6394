#include "flib/io/CIniFile.h"

#include <windows.h>
#include <shlobj.h>

#include <boost/lexical_cast.hpp>

#include <stdexcept>
#include <vector>

#include "flib/Owned.h"
#include "flib/io/IniLineEditor.h"
#include "flib/io/PathOperations.h"

namespace Flib { namespace IO { namespace File {

namespace {

constexpr DWORD kValueBufferSize = 8192;

// What the profile read drops around a value: blanks of any kind (Wine counts
// the ideographic space among them) and one pair of enclosing quotes.
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

} // namespace

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
    return 1;
}

bool CIniFile::HasFailedWrite() const { return writeFailed_; }

int CIniFile::ReadStringToBuffer(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                                 wchar_t* buffer, int size)
{
    return static_cast<int>(
        ::GetPrivateProfileStringW(section, key, defaultValue, buffer, static_cast<DWORD>(size), path_.c_str()));
}

int CIniFile::ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue,
                         std::wstring& value)
{
    std::vector<wchar_t> buffer(kValueBufferSize, L'\0');
    const DWORD count = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                   kValueBufferSize, path_.c_str());
    value = buffer.data();
    return static_cast<int>(count);
}

int CIniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    CreateUnicodeFileIfMissing();
    const int written =
        ::WritePrivateProfileStringW(section.c_str(), key.c_str(), ProtectValue(value).c_str(), path_.c_str());
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
    return RemoveIniLines(path_, std::wstring(L"[") + section + L"]", std::wstring());
}

int CIniFile::DeleteKey(const wchar_t* section, const wchar_t* key)
{
    return RemoveIniLines(path_, std::wstring(L"[") + section + L"]", std::wstring(key) + L"=");
}

// The private-profile functions write a new file in the ANSI code page, which
// loses every character outside it (Japanese names on a Western system). A
// file that starts with a UTF-16LE byte-order mark is kept in UTF-16 by them.
void CIniFile::CreateUnicodeFileIfMissing() const
{
    if (path_.empty() || GetPathKind(path_) != PK_NOTHING) {
        return;
    }
    const OwnedHandle file =
        OwnFile(::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;
    }
    static const unsigned char kByteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    ::WriteFile(file.Get(), kByteOrderMark, sizeof kByteOrderMark, &written, nullptr);
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
