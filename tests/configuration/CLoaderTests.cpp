// CLoader on real files: the first save, folder creation, unusable paths.
#include <gtest/gtest.h>

#include <windows.h>

#include "configuration/CLoader.h"
#include "tests/configuration/ConfigurationTestSupport.h"
#include "tests/flib/io/IniTestFiles.h"

namespace {

using namespace Configuration;
using TolvTest::GeneralSection;
using TolvTest::ReadBytes;
using TolvTest::ReadText;
using TolvTest::TempFolder;

TEST(CLoaderTest, FirstRunCreatesTheFoldersAndTheFirstSaveWritesEveryDefaultInOrder)
{
    const TempFolder temp;
    const std::wstring path = temp.Path() + L"\\Orvane-Works\\tolv\\tolv.ini";
    const CLoader loader(path);
    auto configuration = TolvTest::MakeStartupConfiguration();

    ASSERT_EQ(loader.Load(*configuration), 1);
    EXPECT_NE(::GetFileAttributesW((temp.Path() + L"\\Orvane-Works\\tolv").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << "loading must not create the file";

    ASSERT_EQ(loader.Save(*configuration), 1);
    EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE") << "a new file is UTF-16LE with a byte-order mark";
    EXPECT_EQ(ReadText(path), GeneralSection(TolvTest::DefaultFileLines()));
}

} // namespace
