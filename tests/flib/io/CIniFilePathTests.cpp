#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include "flib/io/CIniFile.h"

namespace {

using Flib::IO::File::CIniFile;

TEST(SettingsPathTest, JoinsTheRoamingFolderAndCreatesNothing)
{
    wchar_t appData[MAX_PATH + 1] = {};
    ASSERT_TRUE(::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE));
    const std::wstring maker = L"Tolv-Test-Maker-Never-Created";

    std::wstring path = L"unchanged";
    CIniFile::GenerateIniFileFullPathForApplicationData(maker, L"tolv", L"tolv.ini", path);

    EXPECT_EQ(path, std::wstring(appData) + L"\\" + maker + L"\\tolv\\tolv.ini");
    EXPECT_EQ(::GetFileAttributesW((std::wstring(appData) + L"\\" + maker).c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
