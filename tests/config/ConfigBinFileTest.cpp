#include "FileTestSupport.h"

#include "config/ConfigBinFile.h"
#include "config/SettingsRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>

namespace kestrel {
namespace {

using test::MessageLog;
using test::ScratchFolder;

static_assert(ConfigBinFile::kRecordSize == SettingsRecord::kSize);

const MessageLog::Entry kMissing{"Config file is not exist.", ""};


// Every byte different from its neighbours, reserved bytes included.
SettingsRecord patternedRecord()
{
    SettingsRecord record;
    const auto bytes = record.bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return record;
}

std::vector<std::uint8_t> fileImage(std::uint8_t firstRunFlag, const SettingsRecord& record)
{
    std::vector<std::uint8_t> bytes(ConfigBinFile::kFileSize, firstRunFlag);
    std::ranges::copy(record.bytes(), bytes.begin() + 1);
    return bytes;
}

class ConfigBinFileTest : public ::testing::Test {
protected:
    ScratchFolder folder;
    std::filesystem::path path = folder / "config.bin";
    MessageLog log;
    ConfigBinFile file{path, log};
};

TEST_F(ConfigBinFileTest, MissingFileIsReportedAtLoadAndEveryStoreAndNeverCreated)
{
    SettingsRecord record = patternedRecord();
    EXPECT_FALSE(file.load(record.bytes()).has_value());
    EXPECT_TRUE(std::ranges::equal(record.bytes(), patternedRecord().bytes()));
    EXPECT_FALSE(file.store(record.bytes()));
    EXPECT_FALSE(file.store(record.bytes()));

    EXPECT_EQ(log.entries, (std::vector{kMissing, kMissing, kMissing}));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(ConfigBinFileTest, WrongSizeIsIgnoredSilentlyAndStoreRestoresFullFile)
{
    for (const std::size_t size : {std::size_t{0}, std::size_t{199}, std::size_t{201}}) {
        test::writeFile(path, std::vector<std::uint8_t>(size, 0x42));
        SettingsRecord record;
        EXPECT_FALSE(file.load(record.bytes()).has_value()) << size;
        EXPECT_TRUE(std::ranges::all_of(record.bytes(), [](std::uint8_t b) { return b == 0; })) << size;

        const SettingsRecord stored = patternedRecord();
        EXPECT_TRUE(file.store(stored.bytes()));
        EXPECT_EQ(test::fileBytes(path), fileImage(1, stored)) << size;
    }
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(ConfigBinFileTest, RecordRoundTripsByteForByteAndStoreAlwaysWritesFirstRunFlagOne)
{
    test::writeFile(path, fileImage(0, SettingsRecord()));
    SettingsRecord loaded = patternedRecord();
    EXPECT_EQ(file.load(loaded.bytes()), std::optional<std::uint8_t>(0));
    EXPECT_TRUE(std::ranges::all_of(loaded.bytes(), [](std::uint8_t b) { return b == 0; }));

    const SettingsRecord stored = patternedRecord();
    ASSERT_TRUE(file.store(stored.bytes()));
    EXPECT_EQ(test::fileBytes(path), fileImage(1, stored));
    EXPECT_EQ(file.load(loaded.bytes()), std::optional<std::uint8_t>(1));
    EXPECT_TRUE(std::ranges::equal(loaded.bytes(), stored.bytes()));
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"config.bin"});
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(ConfigBinFileTest, UnreadableFileIsReportedAndNotLoadedAndCannotBeReplaced)
{
    std::filesystem::create_directory(path);
    SettingsRecord record = patternedRecord();
    EXPECT_FALSE(file.load(record.bytes()).has_value());
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0], (MessageLog::Entry{"Config file cannot be read: " + path.string() + ": not a regular file", ""}));
    EXPECT_TRUE(std::ranges::equal(record.bytes(), patternedRecord().bytes()));

    // The rename over a folder fails; the new file must not be left behind.
    EXPECT_FALSE(file.store(record.bytes()));
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[1].caption, "NULL ==fp ");
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"config.bin"});
}

TEST_F(ConfigBinFileTest, APipeIsReportedByNameWithoutWaitingAndAHugeFileIsOfTheWrongSize)
{
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    SettingsRecord record = patternedRecord();
    EXPECT_FALSE(file.load(record.bytes()).has_value());
    EXPECT_EQ(log.entries, (std::vector<MessageLog::Entry>{
                               {"Config file cannot be read: " + path.string() + ": not a regular file", ""}}));
    EXPECT_TRUE(std::ranges::equal(record.bytes(), patternedRecord().bytes()));

    // Two gigabytes that read as zeros: a file of the wrong size, ignored silently.
    std::filesystem::remove(path);
    test::writeFile(path, fileImage(1, patternedRecord()));
    std::filesystem::resize_file(path, std::uintmax_t{2} << 30);
    log.entries.clear();
    EXPECT_FALSE(file.load(record.bytes()).has_value());
    EXPECT_TRUE(log.entries.empty());
    EXPECT_TRUE(std::ranges::equal(record.bytes(), patternedRecord().bytes()));
}

} // namespace
} // namespace kestrel
