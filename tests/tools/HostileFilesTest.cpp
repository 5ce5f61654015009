// The real kestrelctl given files that are not what they seem: pipes, links
// to devices and sparse files of gigabytes where its files should be. Each
// run is bounded by `timeout`, so a tool that waits for ever fails the test
// instead of hanging the suite.

#include "config/BinaryFile.h"
#include "config/DefaultSettings.h"

#include "ProcessRunSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace kestrel;

namespace {

namespace fs = std::filesystem;

using test::CtlResult;
using test::readText;

void writeText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> entries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class HostileFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("kestrel-hostile-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_ / "good");
        fs::create_directories(folder_ / "bad");
        fs::create_directories(folder_ / "out");
        const SettingsRecord settings = defaultSettingsRecord();
        config_.assign(1, '\0');
        config_.append(settings.bytes().begin(), settings.bytes().end());
        writeText(folder_ / "good" / "config.bin", config_);
        writeText(folder_ / "good" / "str.ini", "[Skins]\nLan=EN\n[Setting-EN]\nItem1=Left Click\n");
        writeText(folder_ / "bad" / "config.bin", config_);
        ASSERT_EQ(ctl("export '" + good("config.bin") + "' -o '" + path("profile.json") + "'").exitCode, 0);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    std::string good(const std::string& name) const { return (folder_ / "good" / name).string(); }
    std::string bad(const std::string& name) const { return (folder_ / "bad" / name).string(); }

    CtlResult ctl(const std::string& arguments) const
    {
        const std::string command = "timeout 120 '" + std::string(KESTRELCTL_PATH) + "' --simulate='"
            + path("mouse.img") + "' " + arguments + " </dev/null >'" + path("out/stdout") + "' 2>'"
            + path("out/stderr") + "'";
        const int status = std::system(command.c_str());
        CtlResult run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = readText(path("out/stdout"));
        run.err = readText(path("out/stderr"));
        return run;
    }

    // A failure that names the file, prints nothing and leaves no file behind.
    void expectRefused(const std::string& arguments, const std::string& file, const std::string& reason) const
    {
        SCOPED_TRACE(arguments);
        const CtlResult run = ctl(arguments);
        EXPECT_EQ(run.exitCode, 1) << run.err;
        EXPECT_TRUE(contains(run.err, file + ": " + reason)) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(entries(folder_ / "out"), (std::vector<std::string>{"stderr", "stdout"}));
    }

    fs::path folder_;
    std::string config_;
};

} // namespace

TEST_F(HostileFiles, AStrIniLinkedToADeviceIsRefusedByExportAndImportAndLeftAsItIs)
{
    fs::create_symlink("/dev/zero", bad("str.ini"));
    const std::string outFile = path("out/profile.json");
    expectRefused("export '" + bad("config.bin") + "'", bad("str.ini"), "not a regular file");
    expectRefused("export '" + bad("config.bin") + "' -o '" + outFile + "'", bad("str.ini"), "not a regular file");
    expectRefused("import '" + path("profile.json") + "' --to '" + bad("config.bin") + "'", bad("str.ini"),
                  "not a regular file");
    EXPECT_EQ(fs::read_symlink(bad("str.ini")), "/dev/zero");
    EXPECT_EQ(readText(bad("config.bin")), config_);
    EXPECT_EQ(entries(folder_ / "bad"), (std::vector<std::string>{"config.bin", "str.ini"}));
}

TEST_F(HostileFiles, ASparseStrIniOfTwoGigabytesIsRefusedWithoutBeingRead)
{
    writeText(bad("str.ini"), "[Skins]\nLan=EN\n");
    fs::resize_file(bad("str.ini"), std::uintmax_t{2} << 30);
    expectRefused("export '" + bad("config.bin") + "'", bad("str.ini"), "larger than a file of its kind can be");
    expectRefused("import '" + path("profile.json") + "' --to '" + bad("config.bin") + "'", bad("str.ini"),
                  "larger than a file of its kind can be");
    EXPECT_EQ(fs::file_size(bad("str.ini")), std::uintmax_t{2} << 30);
    EXPECT_EQ(readText(bad("config.bin")), config_);
    EXPECT_EQ(entries(folder_ / "bad"), (std::vector<std::string>{"config.bin", "str.ini"}));
}

TEST_F(HostileFiles, AFifoAtConfigBinEndsEveryCommandAtOnceWithTheFileNamed)
{
    fs::remove(bad("config.bin"));
    ASSERT_EQ(::mkfifo(bad("config.bin").c_str(), 0600), 0);
    writeText(bad("str.ini"), "[Skins]\nLan=EN\n");
    const std::string fifo = bad("config.bin");
    expectRefused("export '" + fifo + "'", fifo, "not a regular file");
    expectRefused("import '" + path("profile.json") + "' --to '" + fifo + "'", fifo, "not a regular file");
    expectRefused("compose '" + fifo + "'", fifo, "cannot read it: not a regular file");
    expectRefused("apply '" + fifo + "'", fifo, "cannot read it: not a regular file");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(readText(bad("str.ini")), "[Skins]\nLan=EN\n");
    EXPECT_EQ(entries(folder_ / "bad"), (std::vector<std::string>{"config.bin", "str.ini"}));
}

TEST_F(HostileFiles, ASimulatedMouseFileThatIsAPipeOrTooLargeIsRefused)
{
    // The export in SetUp asked the simulated mouse for its sensor type, which made its file.
    fs::remove(path("mouse.img"));
    ASSERT_EQ(::mkfifo(path("mouse.img").c_str(), 0600), 0);
    expectRefused("read", path("mouse.img"), "not a regular file");
    EXPECT_TRUE(fs::is_fifo(path("mouse.img")));

    fs::remove(path("mouse.img"));
    writeText(path("mouse.img"), std::string(400, '\1'));
    fs::resize_file(path("mouse.img"), std::uintmax_t{2} << 30);
    const CtlResult run = ctl("read");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.err, path("mouse.img") + " must hold exactly 322 bytes (it holds more)")) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(fs::file_size(path("mouse.img")), std::uintmax_t{2} << 30);
}
