#include "configuration/CLoader.h"

#include <windows.h>

#include "configuration/Section.h"
#include "flib/io/IniWorkingCopy.h"
#include "flib/io/PathOperations.h"
#include "flib/io/WholeFile.h"

namespace Configuration {

using Flib::IO::File::CIniFile;
using Flib::IO::File::IniWorkingCopy;

namespace {

const wchar_t* const kVersionKey = L"Version";
const wchar_t* const kVersion = L"1.00";

// How long a file that another program holds is waited for, at start and at each save.
constexpr DWORD kPatienceMs = 2000;

} // namespace

CLoader::CLoader(const std::wstring& fileName) : fileName_(fileName) {}

int CLoader::Load(CConfigurations& configurations)
{
    const std::wstring folder = Folder();
    if (!Flib::IO::File::CreateDirectoryRecursive(folder) ||
        Flib::IO::File::GetPathKind(fileName_) == Flib::IO::File::PK_DIRECTORY) {
        return 0;
    }
    // Read whole in one go, so a program writing the file meanwhile can neither
    // block the read nor show it half-written; every key is then read in memory.
    IniWorkingCopy copy(fileName_, folder, kPatienceMs);
    if (copy.OriginalUnreadable()) {
        unreadFile_ = true;
        return 0;
    }
    CIniFile ini(copy.Document());
    // Read for the record only: every version is read the same way.
    std::wstring version;
    ini.ReadString(kSection, kVersionKey, kVersion, version);
    configurations.Load(ini);
    ini.Close();
    unreadFile_ = false;
    return 1;
}

int CLoader::Save(const CConfigurations& configurations)
{
    // Never on its own over a file the user's settings may be in.
    return unreadFile_ ? 0 : Write(configurations);
}

int CLoader::SaveConfirmed(const CConfigurations& configurations)
{
    if (unreadFile_) {
        std::string bytes;
        const Flib::IO::File::WholeFileRead read = Flib::IO::File::ReadWholeFile(fileName_, bytes, kPatienceMs);
        if (read == Flib::IO::File::WFR_FAILED ||
            (read == Flib::IO::File::WFR_READ && !Flib::IO::File::WriteWholeFile(fileName_ + L".bak", bytes))) {
            return 0;
        }
        unreadFile_ = false;
    }
    return Write(configurations);
}

std::wstring CLoader::GetFileName() const { return fileName_; }

bool CLoader::KeepsUnreadFile() const { return unreadFile_; }

int CLoader::Write(const CConfigurations& configurations) const
{
    const std::wstring folder = Folder();
    if (!Flib::IO::File::CreateDirectoryRecursive(folder)) {
        return 0;
    }
    // A read-only file is refused at once; a file another program holds is waited for.
    const DWORD attributes = ::GetFileAttributesW(fileName_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return 0;
    }
    if (!Flib::IO::File::RetryFor(kPatienceMs, [&] { return CIniFile().Open(fileName_, false, false) != 0; })) {
        return 0;
    }

    IniWorkingCopy copy(fileName_, folder, kPatienceMs);
    if (copy.OriginalUnreadable()) {
        return 0;
    }
    // Every key is written in memory; the file is written once, at Commit.
    CIniFile ini(copy.Document());
    ini.WriteString(kSection, kVersionKey, kVersion);
    configurations.Save(ini);
    ini.Close();
    if (ini.HasFailedWrite()) {
        return 0;
    }
    // The first save of a file in another encoding converts it; the original stays beside it.
    const bool converts = copy.OriginalExisted() && !copy.OriginalBytes().empty() &&
                          copy.OriginalEncoding() != Flib::IO::File::FE_UTF16LE;
    if (converts && !Flib::IO::File::WriteWholeFile(fileName_ + L".bak", copy.OriginalBytes())) {
        return 0;
    }
    return copy.Commit(kPatienceMs) ? 1 : 0;
}

std::wstring CLoader::Folder() const
{
    // No "\" at all: the whole path, which CreateDirectoryRecursive refuses.
    const std::wstring::size_type slash = fileName_.find_last_of(L'\\');
    return slash == std::wstring::npos ? fileName_ : fileName_.substr(0, slash);
}

} // namespace Configuration
