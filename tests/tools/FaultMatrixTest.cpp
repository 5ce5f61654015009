// The real kestrelctl against the simulated mouse with a fault planted at
// every exchange of a read and of an apply, through KESTREL_SIM_FAULTS.

#include "config/BinaryFile.h"
#include "config/ConfigImage.h"
#include "config/DefaultSettings.h"
#include "device/sim/MouseFirmware.h"

#include "ProcessRunSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace kestrel;

namespace {

namespace fs = std::filesystem;

constexpr std::array<const char*, 4> kKinds{"noanswer", "badsig", "vanish", "short"};
// A read takes exchanges 0-16; apply then queries in 17-18 and writes in
// 19-36. The status replies checked are the read's query (1), apply's query
// (18) and the write's handshake (20).
constexpr int kReadExchanges = 17;
constexpr int kApplyExchanges = 37;

bool isCheckedReply(int exchange)
{
    return exchange == 1 || exchange == 18 || exchange == 20;
}

using test::CtlResult;
using test::readText;

class FaultMatrix : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("kestrel-faults-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        SettingsRecord settings = defaultSettingsRecord();
        settings.setReportRate(2);
        settings.setDpiLevel(0, 7);
        std::vector<std::uint8_t> configBin{0};
        configBin.insert(configBin.end(), settings.bytes().begin(), settings.bytes().end());
        ASSERT_FALSE(BinaryFile::replace(configPath(), configBin));
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path statePath() const { return folder_ / "mouse.img"; }
    fs::path configPath() const { return folder_ / "config.bin"; }

    void resetMouse() const
    {
        ASSERT_FALSE(BinaryFile::replace(statePath(), MouseFirmware::factoryImage().bytes()));
    }

    ConfigImage mouseImage() const
    {
        const auto contents = BinaryFile::read(statePath(), ConfigImage::kSize);
        EXPECT_EQ(contents.bytes.size(), ConfigImage::kSize) << "the state file was half-written";
        ConfigImage image;
        std::copy_n(contents.bytes.begin(), std::min(contents.bytes.size(), ConfigImage::kSize),
                    image.bytes().begin());
        return image;
    }

    CtlResult ctl(const std::string& faults, const std::string& arguments, const std::string& runAs = "") const
    {
        const std::string command = runAs + "env KESTREL_SIM_FAULTS='" + faults + "' '" + KESTRELCTL_PATH + "' '--simulate="
            + statePath().string() + "' " + arguments + " >'" + (folder_ / "out").string() + "' 2>'"
            + (folder_ / "err").string() + "'";
        const int status = std::system(command.c_str());
        CtlResult run;
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = readText(folder_ / "out");
        run.err = readText(folder_ / "err");
        return run;
    }

    fs::path folder_;
};

} // namespace

TEST_F(FaultMatrix, ApplyFailsExactlyWhenAFaultStruckAndLeavesOnlyOldOrNewBytes)
{
    resetMouse();
    const std::string apply = "apply '" + configPath().string() + "'";
    ASSERT_EQ(ctl("", apply).exitCode, 0);
    const ConfigImage target = mouseImage();
    const ConfigImage before = MouseFirmware::factoryImage();
    ASSERT_NE(target, before);

    for (const char* kind : kKinds) {
        for (int exchange = 0; exchange <= kApplyExchanges; ++exchange) {
            SCOPED_TRACE(std::to_string(exchange) + ":" + kind);
            resetMouse();
            const CtlResult run = ctl(std::to_string(exchange) + ":" + kind, apply);
            const bool struck = exchange < kApplyExchanges && (std::string(kind) != "badsig" || isCheckedReply(exchange));
            EXPECT_EQ(run.exitCode, struck ? 1 : 0) << run.err;
            EXPECT_EQ(run.err.empty(), !struck) << run.err;
            const ConfigImage after = mouseImage();
            for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
                ASSERT_TRUE(after.bytes()[i] == before.bytes()[i] || after.bytes()[i] == target.bytes()[i])
                    << "byte " << i << " became " << int(after.bytes()[i]);
            }
            if (!struck) {
                EXPECT_EQ(after, target);
            } else if (exchange < kReadExchanges) {
                EXPECT_EQ(after, before);   // nothing is sent once the read failed
            }
        }
    }
}

TEST_F(FaultMatrix, ReadFailsExactlyWhenAFaultStruckAndPrintsNoImage)
{
    resetMouse();
    for (const char* kind : kKinds) {
        for (int exchange = 0; exchange <= kReadExchanges; ++exchange) {
            SCOPED_TRACE(std::to_string(exchange) + ":" + kind);
            const CtlResult run = ctl(std::to_string(exchange) + ":" + kind, "read");
            const bool struck = exchange < kReadExchanges && (std::string(kind) != "badsig" || exchange == 1);
            EXPECT_EQ(run.exitCode, struck ? 1 : 0) << run.err;
            EXPECT_EQ(run.out.empty(), struck);
            if (struck) {
                EXPECT_NE(run.err.find("ReadOperation failed"), std::string::npos) << run.err;
            }
            EXPECT_EQ(mouseImage(), MouseFirmware::factoryImage());
        }
    }
}

TEST_F(FaultMatrix, AMalformedPlanIsRefusedBeforeAnythingIsSent)
{
    resetMouse();
    for (const char* plan : {"3", "x:noanswer", "3:explode", "-1:short", "3:short,"}) {
        SCOPED_TRACE(plan);
        const CtlResult run = ctl(plan, "apply '" + configPath().string() + "'");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("KESTREL_SIM_FAULTS"), std::string::npos) << run.err;
        EXPECT_EQ(mouseImage(), MouseFirmware::factoryImage());
    }
}

TEST_F(FaultMatrix, AStateFileThatCannotBeSavedFailsTheApply)
{
    resetMouse();
    // The mouse's file may be read but not written by the user running the tool.
    std::string runAs;
    if (::geteuid() == 0) {
        runAs = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
        fs::permissions(statePath(), fs::perms(0644));
        fs::permissions(configPath(), fs::perms(0644));
    } else {
        fs::permissions(statePath(), fs::perms(0444));
    }
    const CtlResult run = ctl("", "apply '" + configPath().string() + "'", runAs);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot save the simulated mouse file"), std::string::npos) << run.err;
    EXPECT_EQ(mouseImage(), MouseFirmware::factoryImage());
}
