#pragma once
// The settings file: its location and, through the private-profile API, its values.
#include <string>

namespace Flib { namespace IO { namespace File {

class CIniFile {
public:
    // "<roaming application data>\<maker>\<product>\<file>". Creates nothing on
    // disk. Throws std::domain_error when the folder cannot be determined.
    static void GenerateIniFileFullPathForApplicationData(const std::wstring& maker, const std::wstring& product,
                                                          const std::wstring& fileName, std::wstring& path);
};

}}} // namespace Flib::IO::File
