#pragma once
// Typed access to one INI file through the private-profile functions; also
// where the settings file lives. The file is never held open between calls.
#include <string>

namespace Flib { namespace IO { namespace File {

class CIniFile {
public:
    CIniFile() = default;
    virtual ~CIniFile();
    // Stores the path; 1 when a later read (or, unless read-only, write) can
    // use it. A missing file is usable: the first write creates it.
    virtual int Open(const std::wstring& path, bool readOnly, bool truncate);
    virtual int Close();
    virtual int ReadStringToBuffer(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                                   wchar_t* buffer, int size);
    // Values longer than 8191 characters are cut. Returns the characters copied:
    // the default's length for a missing key, 0 for an empty value.
    virtual int ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue,
                           std::wstring& value);
    // A value that begins or ends with a blank or a quote is written in double
    // quotes, so that ReadString gives it back exactly.
    virtual int WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    // A missing, empty or non-numeric value gives the default.
    virtual int ReadInt(const std::wstring& section, const std::wstring& key, int defaultValue);
    virtual int WriteInt(const std::wstring& section, const std::wstring& key, int value);
    // Exactly "true" is 1; any other non-empty text is 0.
    virtual int ReadBool(const std::wstring& section, const std::wstring& key, int defaultValue);
    virtual int WriteBool(const std::wstring& section, const std::wstring& key, int value);
    // Line editors: remove every section with this header / every "key=" line
    // inside such a section. 1 when something was found.
    virtual int DeleteSection(const wchar_t* section);
    virtual int DeleteKey(const wchar_t* section, const wchar_t* key);

    // "<roaming application data>\<maker>\<product>\<file>". Creates nothing on
    // disk. Throws std::domain_error when the folder cannot be determined.
    // True once any write through this object has failed: a caller that writes
    // many keys checks once at the end.
    bool HasFailedWrite() const;

    static void GenerateIniFileFullPathForApplicationData(const std::wstring& maker, const std::wstring& product,
                                                          const std::wstring& fileName, std::wstring& path);

private:
    void CreateUnicodeFileIfMissing() const;

    std::wstring path_;
    bool writeFailed_ = false;
};

}}} // namespace Flib::IO::File
