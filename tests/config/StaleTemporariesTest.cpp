#include "FileTestSupport.h"

#include "config/StaleTemporaries.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;

TEST(StaleTemporariesTest, OnlyTheSaveNamesOfTheSameTargetCount)
{
    const fs::path target = "/some/folder/config.bin";
    for (const char* name : {".config.bin.abcdef", ".config.bin.A1b2C3", ".config.bin.000000"})
        EXPECT_TRUE(StaleTemporaries::isTemporaryNameFor(target, name)) << name;
    for (const char* name : {"config.bin", ".config.bin", ".config.bin.", ".config.bin.abcde", ".config.bin.abcdefg",
                             ".config.bin.abc-ef", ".config.bin.abc.ef", ".str.ini.abcdef", "config.bin.abcdef",
                             "..config.bin.abcdef", ".config.bin.bak", ".config.binabcdef"})
        EXPECT_FALSE(StaleTemporaries::isTemporaryNameFor(target, name)) << name;
}

class StaleTemporariesFolderTest : public ::testing::Test {
protected:
    fs::path plant(const char* name, std::chrono::minutes age)
    {
        const fs::path file = folder / name;
        test::writeFile(file, "left over");
        fs::last_write_time(file, fs::file_time_type::clock::now() - age);
        return file;
    }

    const ScratchFolder folder;
    const fs::path target = folder / "str.ini";
};

TEST_F(StaleTemporariesFolderTest, OldLeftoversGoAndRecentOnesStay)
{
    plant(".str.ini.old111", StaleTemporaries::kStaleAge + std::chrono::minutes(1));
    plant(".str.ini.new222", StaleTemporaries::kStaleAge - std::chrono::minutes(1));
    plant(".str.ini.keep", std::chrono::hours(2));
    plant(".config.bin.old333", std::chrono::hours(2));

    StaleTemporaries::removeBeside(target);
    EXPECT_EQ(test::folderEntries(folder.path()),
              (std::vector<std::string>{".config.bin.old333", ".str.ini.keep", ".str.ini.new222"}));
}

TEST_F(StaleTemporariesFolderTest, LinksFoldersAndOtherUsersFilesAreLeftAlone)
{
    const ScratchFolder elsewhere;
    const fs::path victim = plant(".str.ini.victim", std::chrono::hours(2));
    fs::rename(victim, elsewhere / "victim");
    fs::create_symlink(elsewhere / "victim", folder / ".str.ini.link11");
    fs::create_directory(folder / ".str.ini.fold11");
    fs::last_write_time(folder / ".str.ini.fold11", fs::file_time_type::clock::now() - std::chrono::hours(2));
    std::vector<std::string> expected{".str.ini.fold11", ".str.ini.link11"};
    if (::geteuid() == 0) {
        const fs::path theirs = plant(".str.ini.theirs", std::chrono::hours(2));
        ASSERT_EQ(::lchown(theirs.c_str(), 65534, 65534), 0);
        expected.push_back(".str.ini.theirs");
    }

    StaleTemporaries::removeBeside(target);
    EXPECT_EQ(test::folderEntries(folder.path()), expected);
    EXPECT_EQ(test::fileText(elsewhere / "victim"), "left over");
}

TEST_F(StaleTemporariesFolderTest, AMissingFolderIsNoError)
{
    StaleTemporaries::removeBeside(folder / "gone" / "str.ini");
    EXPECT_TRUE(test::folderEntries(folder.path()).empty());
}

} // namespace
} // namespace kestrel
