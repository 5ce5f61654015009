#include "FileTestSupport.h"

#include "config/FileRefusal.h"
#include "config/IniFile.h"

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using test::ScratchFolder;

TEST(IniFileTest, MissingFileReadsEmptyAndFirstWriteCreatesUtf8File)
{
    const ScratchFolder folder;
    const IniFile file(folder / "str.ini");
    EXPECT_EQ(file.value("Skins", "Lan"), "");

    EXPECT_FALSE(file.write("Skins", "Path", "Blue"));
    EXPECT_FALSE(file.write("Setting-CHS", "Item1", "左键"));
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

    EXPECT_FALSE(file.write("S", "k", "中"));
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
    EXPECT_TRUE(unreadable.write("Skins", "Lan", "CHS"));
    EXPECT_TRUE(std::filesystem::is_directory(unreadable.path()));
}

TEST(IniFileTest, ALinkToADeviceOrAnOversizedFileReadsEmptyAndIsNeverWritten)
{
    const ScratchFolder folder;
    const IniFile device(folder / "str.ini");
    std::filesystem::create_symlink("/dev/zero", device.path());
    EXPECT_EQ(device.load().error, FileRefusal::NotARegularFile);
    EXPECT_EQ(device.value("Skins", "Lan"), "");
    EXPECT_EQ(device.write("Skins", "Lan", "CHS"), FileRefusal::NotARegularFile);
    EXPECT_EQ(std::filesystem::read_symlink(device.path()), "/dev/zero");

    const IniFile huge(folder / "record.ini");
    test::writeFile(huge.path(), "[Skins]\r\nLan=CHS\r\n");
    std::filesystem::resize_file(huge.path(), IniFile::kMaxSize + 1);
    EXPECT_EQ(huge.load().error, FileRefusal::TooLarge);
    EXPECT_EQ(huge.value("Skins", "Lan"), "");
    EXPECT_EQ(huge.write("Skins", "Lan", "EN"), FileRefusal::TooLarge);
    EXPECT_EQ(std::filesystem::file_size(huge.path()), IniFile::kMaxSize + 1);
    EXPECT_EQ(test::folderEntries(folder.path()), (std::vector<std::string>{"record.ini", "str.ini"}));

    // At the limit the file is still read.
    std::filesystem::resize_file(huge.path(), IniFile::kMaxSize);
    EXPECT_FALSE(huge.load().error);
    EXPECT_EQ(huge.value("Skins", "Lan"), "CHS");
}

} // namespace
} // namespace kestrel
