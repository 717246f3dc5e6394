#pragma once
// Scratch folders and raw file contents for tests of the settings file.
#include <string>

namespace TolvTest {

// A new, empty folder under %TEMP% for one test; removed with everything in it.
// Every instance has its own path, so the profile functions' cache of an earlier
// file never answers for it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Writes `text` as UTF-16LE with a byte-order mark (how tolv creates the file).
void WriteUtf16File(const std::wstring& path, const std::wstring& text);
// Writes the bytes as they are (an ANSI file as other tools leave it).
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
// The file's text: UTF-16LE after a byte-order mark, else one character per byte.
std::wstring ReadText(const std::wstring& path);

} // namespace TolvTest
