#include "config/ConfigImage.h"
#include "config/DefaultSettings.h"
#include <KestrelCtl.h>
#include "device/sim/MouseFirmware.h"

#include "CtlRunSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace kestrel;
using kestrel::test::CtlRun;
using kestrel::test::runCtl;

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

int countLines(const std::string& text, const std::string& prefix)
{
    int count = 0;
    for (const auto& line : lines(text))
        count += line.starts_with(prefix) ? 1 : 0;
    return count;
}

class KestrelCtlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path()
            / ("kestrelctl-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    std::string writeFile(const std::string& name, std::span<const std::uint8_t> bytes) const
    {
        std::ofstream out(path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path(name);
    }

    std::string writeDefaultConfig() const
    {
        std::vector<std::uint8_t> bytes{0};
        const SettingsRecord record = defaultSettingsRecord();
        bytes.insert(bytes.end(), record.bytes().begin(), record.bytes().end());
        return writeFile("config.bin", bytes);
    }

    std::filesystem::path folder_;
};

} // namespace

TEST_F(KestrelCtlTest, ReadCreatesTheSimulatedMouseAndPrintsSixLines)
{
    const std::string simulate = "--simulate=" + path("mouse.img");
    const CtlRun run = runCtl({simulate, "read"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto printed = lines(run.out);
    ASSERT_EQ(printed.size(), 6u);
    EXPECT_EQ(printed[0], "01 01");
    EXPECT_EQ(printed[1].size(), 64u * 3 - 1);
    EXPECT_EQ(std::filesystem::file_size(path("mouse.img")), ConfigImage::kSize);
    EXPECT_EQ(runCtl({simulate, "read"}).out, run.out);
}

TEST_F(KestrelCtlTest, ApplyWritesWhatComposeComputesAndTracesEveryExchange)
{
    const std::string config = writeDefaultConfig();
    const std::string simulate = "--simulate=" + path("mouse.img");
    ASSERT_EQ(runCtl({simulate, "read"}).exitCode, 0);
    const CtlRun expected = runCtl({"compose", config, "--image", path("mouse.img")});
    ASSERT_EQ(expected.exitCode, 0) << expected.err;

    const CtlRun apply = runCtl({simulate, "--trace", "apply", config});
    ASSERT_EQ(apply.exitCode, 0) << apply.err;
    EXPECT_TRUE(apply.out.empty());
    // Read: query + 5 x 3; apply: query, handshake, status pair, 5 x 3 (sets and gets both traced).
    EXPECT_EQ(countLines(apply.err, "set status "), 1 + 5 + 1 + 1 + 1 + 5);
    EXPECT_EQ(countLines(apply.err, "get data "), 5);
    EXPECT_EQ(countLines(apply.err, "set data "), 5);
    EXPECT_EQ(countLines(apply.err, "sleep 100"), 10);
    EXPECT_EQ(countLines(apply.err, "sleep 20"), 1);
    EXPECT_EQ(lines(apply.err).front().size(), std::string("set status ").size() + 8 * 3 - 1);

    const CtlRun readBack = runCtl({simulate, "read"});
    EXPECT_EQ(readBack.out, expected.out);
    EXPECT_NE(readBack.out, runCtl({"--simulate", "read"}).out);
}

TEST_F(KestrelCtlTest, ComposeOverZerosUsesSensorTypeZero)
{
    const CtlRun run = runCtl({"compose", writeDefaultConfig()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto printed = lines(run.out);
    ASSERT_EQ(printed.size(), 6u);
    EXPECT_EQ(printed[0], "01 00");
    std::string zeroPage = "00";
    for (int i = 1; i < 64; ++i)
        zeroPage += " 00";
    EXPECT_EQ(printed[1], zeroPage);   // pages 1 and 2 are carried from the image
    EXPECT_EQ(printed[2], zeroPage);
    // Page 4 carries the consumer usage table from +0x20 on.
    EXPECT_EQ(printed[4].substr(0x20 * 3, 11), "B5 00 B6 00");
}

TEST_F(KestrelCtlTest, ShowDescribesTheMouseInWords)
{
    const std::string simulate = "--simulate=" + path("mouse.img");
    ASSERT_EQ(runCtl({simulate, "apply", writeDefaultConfig()}).exitCode, 0);
    const CtlRun run = runCtl({simulate, "show"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Report rate: 1000 Hz"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Stage 1: 800 DPI, colour #"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Button 1: Left Click"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Button 4: Forward"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Button 5: Backward"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Button 6: DPI +"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Button 8: Key Off"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Key group 2 (Mode B):"), std::string::npos) << run.out;
}

TEST_F(KestrelCtlTest, BadFilesAndCommandsFailClearly)
{
    const std::vector<std::uint8_t> shortConfig(199, 0);
    const CtlRun wrongSize = runCtl({"compose", writeFile("short.bin", shortConfig)});
    EXPECT_EQ(wrongSize.exitCode, 1);
    EXPECT_NE(wrongSize.err.find("exactly 200 bytes, this one holds 199"), std::string::npos) << wrongSize.err;
    EXPECT_TRUE(wrongSize.out.empty());

    const CtlRun missing = runCtl({"--simulate", "apply", path("absent.bin")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("no such file"), std::string::npos);

    const std::vector<std::uint8_t> badImage(100, 0xAB);
    const std::string badState = writeFile("bad.img", badImage);
    const CtlRun refused = runCtl({"--simulate=" + badState, "read"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("322 bytes"), std::string::npos) << refused.err;
    EXPECT_EQ(std::filesystem::file_size(badState), 100u);

    const CtlRun badImageArg = runCtl({"compose", writeDefaultConfig(), "--image", badState});
    EXPECT_EQ(badImageArg.exitCode, 1);

    EXPECT_EQ(runCtl({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(runCtl({}).exitCode, 2);
    EXPECT_EQ(runCtl({"--simulate", "read", "extra"}).exitCode, 2);
    EXPECT_EQ(runCtl({"--bogus", "read"}).exitCode, 2);
    EXPECT_EQ(runCtl({"compose", "--image"}).exitCode, 2);
}

TEST_F(KestrelCtlTest, ASimulatedMouseFileIsCreatedOnlyWhereThereIsNone)
{
    const CtlRun created = runCtl({"--simulate=" + path("new.img"), "read"});
    EXPECT_EQ(created.exitCode, 0) << created.err;
    EXPECT_EQ(std::filesystem::file_size(path("new.img")), ConfigImage::kSize);

    // Something there that cannot be read is reported, never replaced.
    std::filesystem::create_directory(path("folder.img"));
    const CtlRun unreadable = runCtl({"--simulate=" + path("folder.img"), "read"});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_NE(unreadable.err.find("cannot read the simulated mouse file"), std::string::npos) << unreadable.err;
    EXPECT_TRUE(std::filesystem::is_directory(path("folder.img")));

    const CtlRun nowhere = runCtl({"--simulate=" + path("no-folder/state.img"), "read"});
    EXPECT_EQ(nowhere.exitCode, 1);
    EXPECT_NE(nowhere.err.find("cannot create the simulated mouse file"), std::string::npos) << nowhere.err;
}

TEST_F(KestrelCtlTest, HelpAndVersionAreAnsweredOnStandardOutput)
{
    for (const char* help : {"--help", "-h", "help"}) {
        const CtlRun run = runCtl({help});
        EXPECT_EQ(run.exitCode, 0) << help;
        EXPECT_TRUE(run.out.starts_with("usage: kestrelctl")) << help;
        EXPECT_EQ(run.err, "") << help;
    }
    EXPECT_EQ(runCtl({"read", "--help"}).exitCode, 0);
    const CtlRun version = runCtl({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("kestrelctl ") + KESTREL_TEST_PROJECT_VERSION + "\n");
    EXPECT_EQ(version.err, "");
}
