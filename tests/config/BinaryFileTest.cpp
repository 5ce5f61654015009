#include "FileTestSupport.h"

#include "config/BinaryFile.h"
#include "config/ConfigBinFile.h"
#include "config/FileRefusal.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kestrel {
namespace {

namespace fs = std::filesystem;
using test::ScratchFolder;

const std::vector<std::uint8_t> kNew{'n', 'e', 'w'};

// Results of the unprivileged children, one bit per expectation.
constexpr int kRefused = 1;
constexpr int kKeptOld = 2;

TEST(BinaryFileTest, PlantedLinksAtTemporaryNamesAreNeverFollowed)
{
    const ScratchFolder folder;
    const ScratchFolder elsewhere;
    const fs::path victim = elsewhere / "victim";
    test::writeFile(victim, "precious");
    const fs::path file = folder / "config.bin";
    test::writeFile(file, "old");
    // The names a predictable scheme would use, all pointing out of the folder.
    for (const char* name : {"config.bin.tmp", ".config.bin.tmp", "config.bin~", ".config.bin.XXXXXX"})
        fs::create_symlink(victim, folder / name);

    ASSERT_FALSE(BinaryFile::replace(file, kNew));
    EXPECT_EQ(test::fileBytes(file), kNew);
    EXPECT_EQ(test::fileText(victim), "precious");
    EXPECT_EQ(test::folderEntries(elsewhere.path()), std::vector<std::string>{"victim"});
    EXPECT_EQ(test::folderEntries(folder.path()).size(), 5u);   // the file and the four links, nothing left over
}

TEST(BinaryFileTest, ReplacingKeepsThePermissionBitsAndLeavesNothingBehind)
{
    const ScratchFolder folder;
    const fs::path file = folder / "str.ini";
    test::writeFile(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_FALSE(BinaryFile::replace(file, kNew));
    EXPECT_EQ(test::fileBytes(file), kNew);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A new file gets the usual mode for this user, not the private one of
    // its temporary.
    const mode_t mask = ::umask(022);
    const fs::path created = folder / "new.bin";
    ASSERT_FALSE(BinaryFile::replace(created, kNew));
    ::umask(mask);
    EXPECT_EQ(fs::status(created).permissions(), fs::perms(0644));

    // A folder where the file should be: refused, nothing left over.
    fs::create_directory(folder / "config.bin");
    EXPECT_TRUE(BinaryFile::replace(folder / "config.bin", kNew));
    EXPECT_EQ(test::folderEntries(folder.path()), (std::vector<std::string>{"config.bin", "new.bin", "str.ini"}));
}

TEST(BinaryFileTest, AFileTheUserMayNotWriteIsRefusedWhateverItsOwnerBits)
{
    const ScratchFolder folder;
    fs::permissions(folder.path(), fs::perms::all);
    const fs::path file = folder / "config.bin";
    test::writeFile(file, "old");
    // Writable for its owner, but the user is someone else (or, when not
    // root, has lost the write bit).
    fs::permissions(file, ::geteuid() == 0 ? fs::perms(0644) : fs::perms(0444));
    const int result = test::runUnprivileged([&] {
        const std::error_code error = BinaryFile::replace(file, kNew);
        return (error == std::errc::permission_denied ? kRefused : 0)
            | (test::fileText(file) == "old" ? kKeptOld : 0);
    });
    EXPECT_EQ(result, kRefused | kKeptOld);
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"config.bin"});
}

TEST(BinaryFileTest, AFolderThatTakesNoNewFilesGetsTheFileRewrittenInPlace)
{
    const ScratchFolder folder;
    const fs::path file = folder / "str.ini";
    test::writeFile(file, "old contents, longer than the new");
    fs::permissions(file, fs::perms(0666));
    fs::permissions(folder.path(), fs::perms(0555));
    const int result = test::runUnprivileged([&] {
        if (BinaryFile::replace(file, kNew))
            return 1;
        return test::fileBytes(file) == kNew ? 0 : 2;
    });
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"str.ini"});
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0666));
}

TEST(BinaryFileTest, ARefusedConfigBinIsReportedWithTheSystemsCode)
{
    const ScratchFolder folder;
    fs::permissions(folder.path(), fs::perms::all);
    const fs::path file = folder / "config.bin";
    test::writeFile(file, std::vector<std::uint8_t>(ConfigBinFile::kFileSize, 7));
    fs::permissions(file, ::geteuid() == 0 ? fs::perms(0644) : fs::perms(0444));
    const int result = test::runUnprivileged([&] {
        const std::array<std::uint8_t, ConfigBinFile::kRecordSize> record{};
        const Outcome<ConfigFileFailure> stored = ConfigBinFile(file).store(record);
        const bool reported = stored.failure() && stored.failure()->problem == ConfigFileProblem::WriteFailed
            && stored.failure()->error.value() == EACCES;
        return (reported ? kRefused : 0)
            | (test::fileBytes(file) == std::vector<std::uint8_t>(ConfigBinFile::kFileSize, 7) ? kKeptOld : 0);
    });
    EXPECT_EQ(result, kRefused | kKeptOld);
}

TEST(BinaryFileTest, ARegularFileIsReadWholeUpToItsLimitAndRefusedPastIt)
{
    const ScratchFolder folder;
    const fs::path file = folder / "str.ini";
    test::writeFile(file, "12345");
    EXPECT_EQ(BinaryFile::read(file, 5).bytes, (std::vector<std::uint8_t>{'1', '2', '3', '4', '5'}));
    EXPECT_FALSE(BinaryFile::read(file, 5).error);

    const BinaryFile::ReadResult tooLarge = BinaryFile::read(file, 4);
    EXPECT_EQ(tooLarge.error, FileRefusal::TooLarge);
    EXPECT_TRUE(tooLarge.bytes.empty());

    EXPECT_EQ(BinaryFile::read(folder / "missing", 5).error, std::errc::no_such_file_or_directory);
    // A link to a regular file is read like the file itself.
    fs::create_symlink(file, folder / "link.ini");
    EXPECT_EQ(BinaryFile::read(folder / "link.ini", 5).bytes.size(), 5u);
}

TEST(BinaryFileTest, ASparseFileOfGigabytesIsRefusedAfterItsLimit)
{
    const ScratchFolder folder;
    const fs::path file = folder / "str.ini";
    test::writeFile(file, "[Skins]\n");
    fs::resize_file(file, std::uintmax_t{2} << 30);
    const BinaryFile::ReadResult contents = BinaryFile::read(file, 1 << 20);
    EXPECT_EQ(contents.error, FileRefusal::TooLarge);
    EXPECT_TRUE(contents.bytes.empty());
    EXPECT_EQ(fs::file_size(file), std::uintmax_t{2} << 30);
}

TEST(BinaryFileTest, FoldersPipesAndDevicesAreRefusedWithoutWaiting)
{
    const ScratchFolder folder;
    // No writer ever opens the FIFO: a blocking open would wait for ever.
    const fs::path fifo = folder / "config.bin";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder / "str.ini");
    fs::create_directory(folder / "record.ini");

    for (const char* name : {"config.bin", "str.ini", "record.ini"}) {
        SCOPED_TRACE(name);
        const BinaryFile::ReadResult contents = BinaryFile::read(folder / name, 1 << 20);
        EXPECT_EQ(contents.error, FileRefusal::NotARegularFile);
        EXPECT_EQ(contents.error.message(), "not a regular file");
        EXPECT_TRUE(contents.bytes.empty());
    }
    EXPECT_EQ(BinaryFile::read("/dev/null", 10).error, FileRefusal::NotARegularFile);
}

TEST(BinaryFileTest, ASaveRemovesTheStaleTemporariesOfItsTargetOnly)
{
    const ScratchFolder folder;
    const fs::path file = folder / "config.bin";
    test::writeFile(file, "old");
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {".config.bin.a1B2c3", ".str.ini.Zz09Aa", ".config.bin.x1y2z3"}) {
        test::writeFile(folder / name, "left by a killed save");
        fs::last_write_time(folder / name, longAgo);
    }
    // A save still running keeps its temporary.
    fs::last_write_time(folder / ".config.bin.x1y2z3", fs::file_time_type::clock::now());

    ASSERT_FALSE(BinaryFile::replace(file, kNew));
    EXPECT_EQ(test::folderEntries(folder.path()),
              (std::vector<std::string>{".config.bin.x1y2z3", ".str.ini.Zz09Aa", "config.bin"}));
    EXPECT_EQ(test::fileBytes(file), kNew);
}

} // namespace
} // namespace kestrel
