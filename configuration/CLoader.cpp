#include "configuration/CLoader.h"

#include "configuration/Section.h"
#include "flib/io/PathOperations.h"

namespace Configuration {

namespace {
const wchar_t* const kVersionKey = L"Version";
const wchar_t* const kVersion = L"1.00";
} // namespace

CLoader::CLoader(const std::wstring& fileName) : fileName_(fileName) {}

int CLoader::Load(CConfigurations& configurations) const
{
    Flib::IO::File::CIniFile ini;
    if (!Prepare(ini, true)) {
        return 0;
    }
    // Read for the record only: every version is read the same way.
    std::wstring version;
    ini.ReadString(kSection, kVersionKey, kVersion, version);
    configurations.Load(ini);
    ini.Close();
    return 1;
}

int CLoader::Save(const CConfigurations& configurations) const
{
    Flib::IO::File::CIniFile ini;
    if (!Prepare(ini, false)) {
        return 0;
    }
    ini.WriteString(kSection, kVersionKey, kVersion);
    configurations.Save(ini);
    ini.Close();
    return 1;
}

std::wstring CLoader::GetFileName() const { return fileName_; }

int CLoader::Prepare(Flib::IO::File::CIniFile& ini, bool readOnly) const
{
    const std::wstring::size_type slash = fileName_.find_last_of(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? fileName_ : fileName_.substr(0, slash);
    if (!Flib::IO::File::CreateDirectoryRecursive(folder)) {
        return 0;
    }
    return ini.Open(fileName_, readOnly, false);
}

} // namespace Configuration
