#pragma once
// Typed access to one INI file with the meaning of the private-profile
// functions; also where the settings file lives. Opened on a path, every call
// reads the file whole and a write puts it back whole, in the encoding it has
// (a new file is UTF-16LE); the file is never held open between calls.
#include <string>

namespace Flib { namespace IO { namespace File {

class IniDocument;

class CIniFile {
public:
    CIniFile() = default;
    // Every read and write goes to `document` in memory, which the caller owns
    // and puts on disk; no Open is needed.
    explicit CIniFile(IniDocument& document);
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
    // inside such a section. 1 when something was found; 0 also when the file
    // is missing or cannot be read or written, and then it stays as it was.
    virtual int DeleteSection(const wchar_t* section);
    virtual int DeleteKey(const wchar_t* section, const wchar_t* key);

    // True once any write through this object has failed: a caller that writes
    // many keys checks once at the end.
    bool HasFailedWrite() const;

    // "<roaming application data>\<maker>\<product>\<file>". Creates nothing on
    // disk. Throws std::domain_error when the folder cannot be determined.
    static void GenerateIniFileFullPathForApplicationData(const std::wstring& maker, const std::wstring& product,
                                                          const std::wstring& fileName, std::wstring& path);

private:
    int ReadValue(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue, int size,
                  std::wstring& value) const;
    template <typename Edit>
    int EditFile(bool create, Edit edit);

    std::wstring path_;
    IniDocument* document_ = nullptr; // borrowed
    bool writeFailed_ = false;
};

}}} // namespace Flib::IO::File
