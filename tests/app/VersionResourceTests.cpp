// The built tolv.exe carries the project's version in its string table, its
// version resource (Explorer's Properties → Details) and its manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwchar>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "resources/ResourceIds.h"
#include "tests/support/TolvProcess.h"

namespace {

const std::wstring kVersion = L"" TOLV_PROJECT_VERSION;

struct FreeModule {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};

class VersionResourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::wstring path = TolvTest::TolvExePath();
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "tolv.exe has no version resource";
        info_.resize(size);
        ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, info_.data()));
        exe_.reset(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        ASSERT_NE(exe_, nullptr);
    }

    std::wstring String(UINT id) const
    {
        const wchar_t* text = nullptr;
        const int length = ::LoadStringW(exe_.get(), id, reinterpret_cast<LPWSTR>(&text), 0);
        return length > 0 ? std::wstring(text, length) : std::wstring();
    }

    // A value of the string block the translation table names.
    std::wstring VersionString(const wchar_t* name) const
    {
        WORD* translation = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(info_.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                              &length) ||
            length < 2 * sizeof(WORD)) {
            return L"(no translation)";
        }
        wchar_t path[128] = {};
        std::swprintf(path, 128, L"\\StringFileInfo\\%04X%04X\\%ls", translation[0], translation[1], name);
        wchar_t* value = nullptr;
        if (!::VerQueryValueW(info_.data(), path, reinterpret_cast<void**>(&value), &length) ||
            length == 0) {
            return L"(missing)";
        }
        return value;
    }

    std::vector<BYTE> info_;
    std::unique_ptr<std::remove_pointer_t<HMODULE>, FreeModule> exe_;
};

TEST_F(VersionResourceTest, StringTableShowsTheProjectVersion)
{
    EXPECT_EQ(String(IDS_APP_VERSION), kVersion);
}

TEST_F(VersionResourceTest, VersionResourceNamesTheProductItsVersionAndRights)
{
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info_.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
    unsigned major = 0, minor = 0;
    ASSERT_EQ(std::swscanf(kVersion.c_str(), L"%u.%u", &major, &minor), 2);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(minor, major));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(minor, major));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(info_.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                 &length));
    EXPECT_EQ(translation[0], 0x0411) << "Japanese";
    EXPECT_EQ(translation[1], 1200) << "UTF-16";

    EXPECT_EQ(VersionString(L"ProductName"), L"トルヴ");
    EXPECT_EQ(VersionString(L"FileDescription"), String(IDS_APP_TITLE));
    EXPECT_EQ(VersionString(L"FileVersion"), kVersion);
    EXPECT_EQ(VersionString(L"ProductVersion"), kVersion);
    EXPECT_EQ(VersionString(L"LegalCopyright"), String(IDS_RIGHTS_NOTICE));
    EXPECT_EQ(VersionString(L"OriginalFilename"), L"tolv.exe");
}

TEST_F(VersionResourceTest, ManifestIdentityCarriesTheVersion)
{
    const HRSRC found = ::FindResourceW(exe_.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)); // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const HGLOBAL loaded = ::LoadResource(exe_.get(), found);
    ASSERT_NE(loaded, nullptr);
    const std::string manifest(static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(exe_.get(), found));

    unsigned major = 0, minor = 0;
    ASSERT_EQ(std::swscanf(kVersion.c_str(), L"%u.%u", &major, &minor), 2);
    const std::string identity =
        "name=\"OrvaneWorks.tolv\" version=\"" + std::to_string(major) + "." + std::to_string(minor) + ".0.0\"";
    EXPECT_NE(manifest.find(identity), std::string::npos) << manifest;
}

} // namespace
