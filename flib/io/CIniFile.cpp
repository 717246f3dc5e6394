#include "flib/io/CIniFile.h"

#include <windows.h>
#include <shlobj.h>

#include <stdexcept>

namespace Flib { namespace IO { namespace File {

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
