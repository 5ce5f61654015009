#include "FileTestSupport.h"

#include "config/ConfigBinFile.h"
#include "config/SettingsRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>

namespace kestrel {
namespace {

using test::ScratchFolder;

static_assert(ConfigBinFile::kRecordSize == SettingsRecord::kSize);

constexpr ConfigFileProblem kMissing = ConfigFileProblem::Missing;

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
    // Loads and stores through the file, keeping every failure either gives.
    std::optional<std::uint8_t> load(std::span<std::uint8_t, ConfigBinFile::kRecordSize> record)
    {
        ConfigBinFile::LoadResult loaded = file.load(record);
        if (loaded.failure)
            failures.push_back(*loaded.failure);
        EXPECT_FALSE(loaded.failure && loaded.firstRunFlag);
        return loaded.firstRunFlag;
    }

    bool store(std::span<const std::uint8_t, ConfigBinFile::kRecordSize> record)
    {
        const Outcome<ConfigFileFailure> stored = file.store(record);
        if (stored.failure())
            failures.push_back(*stored.failure());
        return stored.succeeded();
    }

    std::vector<ConfigFileProblem> problems() const
    {
        std::vector<ConfigFileProblem> found;
        for (const ConfigFileFailure& failure : failures) {
            EXPECT_EQ(failure.path, path);
            found.push_back(failure.problem);
        }
        return found;
    }

    ScratchFolder folder;
    std::filesystem::path path = folder / "config.bin";
    ConfigBinFile file{path};
    std::vector<ConfigFileFailure> failures;
};

TEST_F(ConfigBinFileTest, MissingFileIsReportedAtLoadAndEveryStoreAndNeverCreated)
{
    SettingsRecord record = patternedRecord();
    EXPECT_FALSE(load(record.bytes()).has_value());
    EXPECT_TRUE(std::ranges::equal(record.bytes(), patternedRecord().bytes()));
    EXPECT_FALSE(store(record.bytes()));
    EXPECT_FALSE(store(record.bytes()));

    EXPECT_EQ(problems(), (std::vector{kMissing, kMissing, kMissing}));
    EXPECT_FALSE(failures[0].error);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST_F(ConfigBinFileTest, WrongSizeIsIgnoredSilentlyAndStoreRestoresFullFile)
{
    for (const std::size_t size : {std::size_t{0}, std::size_t{199}, std::size_t{201}}) {
        test::writeFile(path, std::vector<std::uint8_t>(size, 0x42));
        SettingsRecord record;
        EXPECT_FALSE(load(record.bytes()).has_value()) << size;
        EXPECT_TRUE(std::ranges::all_of(record.bytes(), [](std::uint8_t b) { return b == 0; })) << size;

        const SettingsRecord stored = patternedRecord();
        EXPECT_TRUE(store(stored.bytes()));
        EXPECT_EQ(test::fileBytes(path), fileImage(1, stored)) << size;
    }
    EXPECT_TRUE(failures.empty());
}

TEST_F(ConfigBinFileTest, RecordRoundTripsByteForByteAndStoreAlwaysWritesFirstRunFlagOne)
{
    test::writeFile(path, fileImage(0, SettingsRecord()));
    SettingsRecord loaded = patternedRecord();
    EXPECT_EQ(load(loaded.bytes()), std::optional<std::uint8_t>(0));
    EXPECT_TRUE(std::ranges::all_of(loaded.bytes(), [](std::uint8_t b) { return b == 0; }));

    const SettingsRecord stored = patternedRecord();
    ASSERT_TRUE(store(stored.bytes()));
    EXPECT_EQ(test::fileBytes(path), fileImage(1, stored));
    EXPECT_EQ(load(loaded.bytes()), std::optional<std::uint8_t>(1));
    EXPECT_TRUE(std::ranges::equal(loaded.bytes(), stored.bytes()));
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"config.bin"});
    EXPECT_TRUE(failures.empty());
}

TEST_F(ConfigBinFileTest, UnreadableFileIsReportedAndNotLoadedAndCannotBeReplaced)
{
    std::filesystem::create_directory(path);
    SettingsRecord record = patternedRecord();
    EXPECT_FALSE(load(record.bytes()).has_value());
    EXPECT_EQ(problems(), std::vector{ConfigFileProblem::Unreadable});
    EXPECT_EQ(failures[0].error.message(), "not a regular file");
    EXPECT_TRUE(std::ranges::equal(record.bytes(), patternedRecord().bytes()));

    // The rename over a folder fails; the new file must not be left behind.
    EXPECT_FALSE(store(record.bytes()));
    EXPECT_EQ(problems(), (std::vector{ConfigFileProblem::Unreadable, ConfigFileProblem::WriteFailed}));
    EXPECT_TRUE(failures[1].error);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(test::folderEntries(folder.path()), std::vector<std::string>{"config.bin"});
}

TEST_F(ConfigBinFileTest, APipeIsReportedByNameWithoutWaitingAndAHugeFileIsOfTheWrongSize)
{
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    SettingsRecord record = patternedRecord();
    EXPECT_FALSE(load(record.bytes()).has_value());
    EXPECT_EQ(problems(), std::vector{ConfigFileProblem::Unreadable});
    EXPECT_EQ(failures[0].error.message(), "not a regular file");
    EXPECT_TRUE(std::ranges::equal(record.bytes(), patternedRecord().bytes()));

    // Two gigabytes that read as zeros: a file of the wrong size, ignored silently.
    std::filesystem::remove(path);
    test::writeFile(path, fileImage(1, patternedRecord()));
    std::filesystem::resize_file(path, std::uintmax_t{2} << 30);
    failures.clear();
    EXPECT_FALSE(load(record.bytes()).has_value());
    EXPECT_TRUE(failures.empty());
    EXPECT_TRUE(std::ranges::equal(record.bytes(), patternedRecord().bytes()));
}

} // namespace
} // namespace kestrel
