#include "FileTestSupport.h"

#include "config/ConfigBinFile.h"
#include "config/Diagnostics.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace kestrel {
namespace {

struct Line {
    Diagnostics::Area area;
    Diagnostics::Level level;
    std::string text;
};

std::vector<Line> recorded;

void record(Diagnostics::Area area, Diagnostics::Level level, std::string_view text)
{
    recorded.push_back({area, level, std::string(text)});
}

// Installs the recording sink for one test and removes it again.
class DiagnosticsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        recorded.clear();
        Diagnostics::setSink(&record);
    }
    void TearDown() override { Diagnostics::setSink(nullptr); }
};

TEST_F(DiagnosticsTest, FileFailuresAreLoggedAsConfigWarningsAndAMissingFileAsDebug)
{
    const test::ScratchFolder folder;
    const std::array<std::uint8_t, ConfigBinFile::kRecordSize> record{};
    ASSERT_FALSE(ConfigBinFile(folder / "config.bin").store(record));
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].area, Diagnostics::Area::Config);
    EXPECT_EQ(recorded[0].level, Diagnostics::Level::Debug);

    std::filesystem::create_directory(folder / "config.bin");
    recorded.clear();
    ASSERT_FALSE(ConfigBinFile(folder / "config.bin").store(record));
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].level, Diagnostics::Level::Warning);
    EXPECT_NE(recorded[0].text.find((folder / "config.bin").string()), std::string::npos) << recorded[0].text;
}

TEST_F(DiagnosticsTest, WithoutASinkNothingIsWritten)
{
    Diagnostics::setSink(nullptr);
    Diagnostics::warning(Diagnostics::Area::Device, "unheard");
    EXPECT_TRUE(recorded.empty());
    Diagnostics::setSink(&record);
    Diagnostics::warning(Diagnostics::Area::Device, "heard");
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(recorded[0].text, "heard");
    EXPECT_EQ(recorded[0].area, Diagnostics::Area::Device);
}

} // namespace
} // namespace kestrel
