#include "FileTestSupport.h"

#include <IniFile.h>

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::ScratchFolder;

TEST(IniFileTest, MissingFileReadsEmptyAndFirstWriteCreatesUtf8File)
{
    const ScratchFolder folder;
    const IniFile file(folder / "str.ini");
    EXPECT_EQ(file.value("Skins", "Lan"), "");

    EXPECT_TRUE(file.write("Skins", "Path", "Blue"));
    EXPECT_TRUE(file.write("Setting-CHS", "Item1", "左键"));
    EXPECT_EQ(test::fileText(file.path()), "[Skins]\r\nPath=Blue\r\n[Setting-CHS]\r\nItem1=左键\r\n");
    EXPECT_EQ(file.value("setting-chs", "item1"), "左键");
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"str.ini"});
}

TEST(IniFileTest, Utf16LeFileStaysUtf16LeAfterWrite)
{
    const ScratchFolder folder;
    const IniFile file(folder / "str.ini");
    const std::vector<std::uint8_t> original{0xFF, 0xFE, '[', 0, 'S', 0, ']', 0, '\n', 0};
    test::writeFile(file.path(), original);

    EXPECT_TRUE(file.write("S", "k", "中"));
    std::vector<std::uint8_t> expected = original;
    expected.insert(expected.end(), {'k', 0, '=', 0, 0x2D, 0x4E, '\n', 0});
    EXPECT_EQ(test::fileBytes(file.path()), expected);
    EXPECT_EQ(file.value("S", "K"), "中");
}

TEST(IniFileTest, FileThatCannotBeReadOrReplacedIsLeftAsItIs)
{
    const ScratchFolder folder;
    const IniFile unreadable(folder / "str.ini");
    std::filesystem::create_directory(unreadable.path());
    EXPECT_EQ(unreadable.value("Skins", "Lan"), "");
    EXPECT_FALSE(unreadable.write("Skins", "Lan", "CHS"));
    EXPECT_TRUE(std::filesystem::is_directory(unreadable.path()));
}

} // namespace
} // namespace kestrel
