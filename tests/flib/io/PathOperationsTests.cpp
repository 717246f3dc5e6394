// The path operations on real folders and drives.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "flib/io/PathOperations.h"
#include "tests/flib/io/IniTestFiles.h"

namespace {

using namespace Flib::IO::File;
using TolvTest::TempFolder;
using TolvTest::WriteBytes;

bool IsDirectory(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A drive letter this machine does not have, for the negative drive case.
std::wstring AbsentDrive()
{
    const DWORD drives = ::GetLogicalDrives();
    for (int letter = 25; letter >= 3; --letter) {
        if (!(drives & (1u << letter))) {
            return std::wstring(1, static_cast<wchar_t>(L'A' + letter)) + L":";
        }
    }
    return std::wstring();
}

// Restores the current directory a test changes.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::wstring& path)
    {
        ::GetCurrentDirectoryW(MAX_PATH, saved_);
        ::SetCurrentDirectoryW(path.c_str());
    }
    ~CurrentDirectory() { ::SetCurrentDirectoryW(saved_); }
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    wchar_t saved_[MAX_PATH] = {};
};

TEST(GetPathKindTest, DrivesCountAsDirectoriesInEitherSpelling)
{
    ASSERT_NE(::GetLogicalDrives() & (1u << 2), 0u) << "the test expects a drive C";
    EXPECT_EQ(GetPathKind(L"C:"), PK_DIRECTORY);
    EXPECT_EQ(GetPathKind(L"c:\\"), PK_DIRECTORY);
    EXPECT_EQ(GetPathKind(L"C:\\"), PK_DIRECTORY);
    const std::wstring absent = AbsentDrive();
    ASSERT_FALSE(absent.empty());
    EXPECT_EQ(GetPathKind(absent), PK_NOTHING);
    EXPECT_EQ(GetPathKind(absent + L"\\"), PK_NOTHING);
}

TEST(GetPathKindTest, TellsFilesFoldersAndNothingApart)
{
    const TempFolder temp;
    const std::wstring file = temp.File(L"tolv.ini");
    WriteBytes(file, "[General]\r\n");
    ASSERT_TRUE(::CreateDirectoryW(temp.File(L"sub").c_str(), nullptr));

    struct Case {
        std::wstring path;
        PathKind expected;
    };
    const Case cases[] = {
        {file, PK_FILE},
        {temp.Path(), PK_DIRECTORY},
        {temp.Path() + L"\\", PK_DIRECTORY},
        {temp.File(L"sub\\"), PK_DIRECTORY},
        {temp.File(L"missing.ini"), PK_NOTHING},
        {temp.File(L"missing\\tolv.ini"), PK_NOTHING},
        {L"", PK_NOTHING},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetPathKind(c.path), c.expected) << c.path;
    }
}

TEST(GetPathKindTest, ARelativeNameIsLookedUpInTheCurrentDirectory)
{
    const TempFolder temp;
    WriteBytes(temp.File(L"tolv.ini"), "[General]\r\n");
    ASSERT_TRUE(::CreateDirectoryW(temp.File(L"sub").c_str(), nullptr));
    const CurrentDirectory inside(temp.Path());
    EXPECT_EQ(GetPathKind(L"tolv.ini"), PK_FILE);
    EXPECT_EQ(GetPathKind(L"sub"), PK_DIRECTORY);
    EXPECT_EQ(GetPathKind(L"sub\\"), PK_DIRECTORY);
    EXPECT_EQ(GetPathKind(L"missing.ini"), PK_NOTHING);
}

TEST(CreateDirectoryRecursiveTest, CreatesEveryMissingLevel)
{
    const TempFolder temp;
    const std::wstring deep = temp.File(L"a\\b\\c");
    EXPECT_EQ(CreateDirectoryRecursive(deep), 1);
    EXPECT_TRUE(IsDirectory(temp.File(L"a")));
    EXPECT_TRUE(IsDirectory(temp.File(L"a\\b")));
    EXPECT_TRUE(IsDirectory(deep));

    EXPECT_EQ(CreateDirectoryRecursive(deep), 1) << "an existing folder can be used";
    EXPECT_EQ(CreateDirectoryRecursive(temp.File(L"x\\y\\")), 1) << "a trailing backslash is ignored";
    EXPECT_TRUE(IsDirectory(temp.File(L"x\\y")));
}

TEST(CreateDirectoryRecursiveTest, AFileInTheWayMakesTheFolderUnusable)
{
    const TempFolder temp;
    WriteBytes(temp.File(L"blocker"), "not a folder");
    EXPECT_EQ(CreateDirectoryRecursive(temp.File(L"blocker\\b\\c")), 0);
    EXPECT_EQ(::GetFileAttributesW(temp.File(L"blocker\\b").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(CreateDirectoryRecursive(temp.File(L"blocker")), 0) << "a file where the folder itself should be";
}

TEST(CreateDirectoryRecursiveTest, AFolderRightBelowADriveRootIsCreated)
{
    const std::wstring folder = L"C:\\tolv-test-root-" + std::to_wstring(::GetCurrentProcessId());
    ::RemoveDirectoryW(folder.c_str());
    EXPECT_EQ(CreateDirectoryRecursive(folder), 1);
    EXPECT_TRUE(IsDirectory(folder));
    ::RemoveDirectoryW(folder.c_str());
}

TEST(CreateDirectoryRecursiveTest, APathWithoutBackslashIsRefused)
{
    EXPECT_EQ(CreateDirectoryRecursive(L"tolv-test-no-backslash"), 0);
    EXPECT_EQ(::GetFileAttributesW(L"tolv-test-no-backslash"), INVALID_FILE_ATTRIBUTES);
}

TEST(GetDirectoryOfPathTest, TakesTheTextBeforeTheLastBackslash)
{
    struct Case {
        const wchar_t* path;
        int result;
        const wchar_t* folder;
    };
    const Case cases[] = {
        {L"C:\\Users\\me\\tolv.ini", 1, L"C:\\Users\\me"},
        {L"C:\\Users\\me\\", 1, L"C:\\Users\\me"},
        {L"C:\\tolv.ini", 1, L"C:"},
        {L"tolv.ini", 1, L"tolv.ini"},
        {L"", 1, L""},
        {L"\\tolv.ini", 0, L"untouched"},
        {L"\\", 0, L"untouched"},
    };
    for (const Case& c : cases) {
        std::wstring folder = L"untouched";
        EXPECT_EQ(GetDirectoryOfPath(c.path, folder), c.result) << c.path;
        EXPECT_EQ(folder, c.folder);
    }
}

} // namespace
