#include "device/ApplySequence.h"
#include "device/Clock.h"
#include "config/DefaultSettings.h"
#include "device/DeviceDiscovery.h"
#include <KestrelCtl.h>
#include "config/ProfileFiles.h"
#include "device/sim/SimulatedMouse.h"
#include <StderrReporter.h>
#include <WriteVerification.h>

#include "CtlRunSupport.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

using namespace kestrel;
using kestrel::test::CtlRun;
using kestrel::test::runCtl;
using Json = nlohmann::ordered_json;

namespace {

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// "page P byte 0xOO: wrote WW, read RR", P from 1 to 5, bytes in upper-case hex.
bool isDifferenceLine(const std::string& text)
{
    unsigned page = 0;
    unsigned offset = 0;
    unsigned wrote = 0;
    unsigned read = 0;
    if (std::sscanf(text.c_str(), "page %u byte 0x%2X: wrote %2X, read %2X", &page, &offset, &wrote, &read) != 4)
        return false;
    char expected[64];
    std::snprintf(expected, sizeof expected, "page %u byte 0x%02X: wrote %02X, read %02X", page, offset, wrote, read);
    return page >= 1 && page <= 5 && text == expected;
}

class ProfileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path()
            / ("kestrelctl-profile-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ / "shipped");
        std::filesystem::create_directories(folder_ / "target");
        const SettingsRecord record = defaultSettingsRecord();
        std::string config(1, '\0');
        config.append(record.bytes().begin(), record.bytes().end());
        writeText(shippedConfig(), config);
        writeText(folder_ / "shipped" / "str.ini",
                  "[Skins]\nLan=EN\n\n[Setting-EN]\nItem1=Left Click\nItem2=Right Click\nItem3=Mid Click\n"
                  "Item4=Forward\nItem5=Backward\nItem6=DPI +\nItem7=DPI -\nItem8=Key Off\nItem13=Left Click\n"
                  "Item23=Right Click\nItem33=Mid Click\nItem43=Forward\nItem53=Backward\nItem63=DPI +\n"
                  "Item73=DPI -\nItem83=Key Off\n");
        writeText(targetConfig(), std::string(200, '\0'));
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    std::filesystem::path shippedConfig() const { return folder_ / "shipped" / "config.bin"; }
    std::filesystem::path targetConfig() const { return folder_ / "target" / "config.bin"; }

    std::filesystem::path folder_;
};

} // namespace

TEST_F(ProfileCommandsTest, ExportThenImportGivesTheSameFilesAndImportThenExportTheSameDocument)
{
    const CtlRun exported = runCtl({"export", shippedConfig().string(), "-o", path("profile.json")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_TRUE(exported.out.empty());
    const Json document = Json::parse(fileText(path("profile.json")));
    EXPECT_EQ(document["buttons"][0][7]["caption"], "Key Off");
    EXPECT_EQ(runCtl({"export", shippedConfig().string()}).out, fileText(path("profile.json")));

    const CtlRun imported = runCtl({"import", path("profile.json"), "--to", targetConfig().string()});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(fileText(targetConfig()), fileText(shippedConfig()));
    ProfileData target;
    ASSERT_EQ(ProfileFiles(targetConfig()).load(target, 0), "");
    EXPECT_EQ(target.captions[15], "Key Off");

    const CtlRun again = runCtl({"export", targetConfig().string()});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(Json::parse(again.out), document);
    EXPECT_EQ(runCtl({"diff", path("profile.json"), targetConfig().string()}).out, "");
}

TEST_F(ProfileCommandsTest, ABadProfileWritesNothingAndListsEveryProblem)
{
    Json document = Json::parse(runCtl({"--sensor", "0", "export", shippedConfig().string()}).out);
    document["buttons"][1][3] = {{"function", "Single Key"}, {"key", "Left Wndows"}};
    document["stages"][0]["dpi"] = 1601;
    writeText(path("bad.json"), document.dump());
    const std::string before = fileText(targetConfig());

    const CtlRun run = runCtl({"import", path("bad.json"), "--to", targetConfig().string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("stages[0].dpi: 1601 is not a DPI of sensor type 0; allowed: 250, 500"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("buttons[1][3].key: \"Left Wndows\" is not a key name; did you mean \"Left Windows\"?\n"),
              std::string::npos);
    EXPECT_NE(run.err.find("2 problems; nothing was written"), std::string::npos);
    EXPECT_EQ(fileText(targetConfig()), before);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "target" / "str.ini"));

    writeText(path("broken.json"), "{\"format\": \"kestrel-profile\",");
    EXPECT_EQ(runCtl({"import", path("broken.json"), "--to", targetConfig().string()}).exitCode, 1);
    EXPECT_EQ(runCtl({"import", path("missing.json"), "--to", targetConfig().string()}).exitCode, 1);
    EXPECT_EQ(runCtl({"import", shippedConfig().string(), "--to", targetConfig().string()}).exitCode, 1);
    EXPECT_EQ(fileText(targetConfig()), before);
    EXPECT_EQ(runCtl({"export", path("missing.bin")}).exitCode, 1);
    EXPECT_EQ(runCtl({"export", "a", "b"}).exitCode, 2);
    EXPECT_EQ(runCtl({"--sensor", "7", "export"}).exitCode, 2);
}

TEST_F(ProfileCommandsTest, DiffNamesEachSettingThatDiffers)
{
    Json document = Json::parse(runCtl({"export", shippedConfig().string()}).out);
    document["report_rate"] = 125;
    document["buttons"][0][3]["function"] = "Key Off";
    writeText(path("changed.json"), document.dump());
    const CtlRun run = runCtl({"diff", shippedConfig().string(), path("changed.json")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "report_rate: 1000 -> 125\n"
                       "buttons[0][3].function: \"Forward\" -> \"Key Off\"\n");
}

TEST_F(ProfileCommandsTest, AProfileWithoutALeftClickOrAnEnabledStageIsNeitherStoredNorSent)
{
    Json document = Json::parse(runCtl({"export", shippedConfig().string()}).out);
    // Group 1 loses its only "Left Click"; group 0 keeps it.
    document["buttons"][1][0]["function"] = "Mid Click";
    for (Json& stage : document["stages"])
        stage["enabled"] = false;
    writeText(path("unsafe.json"), document.dump());
    const std::string before = fileText(targetConfig());

    const CtlRun imported = runCtl({"import", path("unsafe.json"), "--to", targetConfig().string()});
    EXPECT_EQ(imported.exitCode, 1);
    EXPECT_NE(imported.err.find("buttons[1]: no button is \"Left Click\"; each key group keeps at least one\n"),
              std::string::npos) << imported.err;
    EXPECT_NE(imported.err.find("stages: no stage is enabled; at least one stays enabled\n"), std::string::npos);
    EXPECT_EQ(imported.err.find("buttons[0]:"), std::string::npos);
    EXPECT_NE(imported.err.find("2 problems; nothing was written"), std::string::npos);
    EXPECT_EQ(fileText(targetConfig()), before);

    const std::string simulate = "--simulate=" + path("mouse.img");
    ASSERT_EQ(runCtl({simulate, "read"}).exitCode, 0);
    const std::string mouseBefore = fileText(path("mouse.img"));
    const CtlRun applied = runCtl({simulate, "apply", path("unsafe.json")});
    EXPECT_EQ(applied.exitCode, 1);
    EXPECT_NE(applied.err.find("buttons[1]: no button is \"Left Click\""), std::string::npos) << applied.err;
    EXPECT_EQ(fileText(path("mouse.img")), mouseBefore);

    // Comparing is not storing: diff still shows what differs.
    const CtlRun compared = runCtl({"diff", shippedConfig().string(), path("unsafe.json")});
    ASSERT_EQ(compared.exitCode, 0) << compared.err;
    EXPECT_NE(compared.out.find("buttons[1][0].function: \"Left Click\" -> \"Mid Click\"\n"), std::string::npos)
        << compared.out;
}

// A bounded fuzz of the command itself: no bad profile changes either file.
TEST_F(ProfileCommandsTest, FuzzedImportsNeverWriteWhatTheyRefuse)
{
    const std::string text = runCtl({"export", shippedConfig().string()}).out;
    std::mt19937 random(115);
    auto below = [&random](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    const std::string before = fileText(targetConfig());
    for (int i = 0; i < 150; ++i) {
        std::string mutated = text;
        for (std::size_t edits = 1 + below(3); edits > 0; --edits)
            mutated[below(mutated.size())] = "\"{}[],:0x"[below(9)];
        writeText(path("fuzz.json"), mutated);
        const CtlRun run = runCtl({"import", path("fuzz.json"), "--to", targetConfig().string()});
        if (run.exitCode != 0) {
            ASSERT_EQ(run.exitCode, 1) << run.err;
            ASSERT_EQ(fileText(targetConfig()), before) << mutated;
        }
        writeText(targetConfig(), before);
    }
}

TEST_F(ProfileCommandsTest, ApplyTakesAProfileAndVerifiesWhatTheMouseHolds)
{
    ASSERT_EQ(runCtl({"--sensor", "0", "export", shippedConfig().string(), "-o", path("profile.json")}).exitCode, 0);
    const std::string simulate = "--simulate=" + path("mouse.img");
    const CtlRun run = runCtl({simulate, "apply", "--verify", path("profile.json")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "verified\n");
    // The simulated mouse has sensor type 1: the profile's DPI values moved to its levels.
    EXPECT_NE(run.err.find("warning: stages[0].dpi: 500 DPI of sensor type 0 becomes 600 DPI of sensor type 1"),
              std::string::npos) << run.err;
    const CtlRun fromConfig = runCtl({simulate, "apply", "--verify", shippedConfig().string()});
    ASSERT_EQ(fromConfig.exitCode, 0) << fromConfig.err;
    EXPECT_EQ(fromConfig.out, "verified\n");
}

TEST_F(ProfileCommandsTest, VerifyNamesThePageAndByteAFaultCorruptedOnTheWay)
{
    SimulatedMouse mouse;
    DeviceState device;
    ConfigImage image;
    InstantClock clock;
    ASSERT_TRUE(DeviceDiscovery(mouse, device).openMouse());
    FeatureProtocol protocol(device, image, clock);
    ASSERT_TRUE(protocol.readMouse());
    // Only data reports being set are corrupted, and only the write sets them.
    for (int exchange = mouse.exchangeCount(); exchange < mouse.exchangeCount() + 64; ++exchange)
        mouse.failAt(exchange, SimulatedFault::CorruptedData);
    const auto result = ApplySequence::run(protocol, image, defaultSettingsRecord(), device.sensorType(), {},
                                           ApplySequence::OnFailedQuery::Stop);
    ASSERT_TRUE(result.written);

    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(ctl::verifyWrite(protocol, image, out, err), 1);
    std::istringstream printed(out.str());
    int lines = 0;
    for (std::string text; std::getline(printed, text); ++lines)
        EXPECT_TRUE(isDifferenceLine(text)) << text;
    EXPECT_GE(lines, 5) << "one byte of each page at least";
    EXPECT_NE(err.str().find("something other than what was written"), std::string::npos);

}

TEST_F(ProfileCommandsTest, ApplyVerifyFailsWithPageAndByteWhenTheSimulatedMouseCorruptsTheWrite)
{
    ASSERT_EQ(runCtl({"export", shippedConfig().string(), "-o", path("profile.json")}).exitCode, 0);
    const std::string simulate = "--simulate=" + path("mouse.img");
    // A read takes exchanges 0-16, the status query 17-18, the write 19-36; only its data reports change.
    std::string plan;
    for (int exchange = 19; exchange <= 36; ++exchange)
        plan += (plan.empty() ? "" : ",") + std::to_string(exchange) + ":corrupt";
    ::setenv("KESTREL_SIM_FAULTS", plan.c_str(), 1);
    const CtlRun run = runCtl({simulate, "apply", "--verify", path("profile.json")});
    ::unsetenv("KESTREL_SIM_FAULTS");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.find("verified"), std::string::npos);
    for (const char* page : {"page 1 byte 0x", "page 3 byte 0x", "page 5 byte 0x"})
        EXPECT_NE(run.out.find(page), std::string::npos) << run.out;
    EXPECT_NE(run.err.find("something other than what was written"), std::string::npos) << run.err;
    // Without the fault the same apply verifies.
    EXPECT_EQ(runCtl({simulate, "apply", "--verify", path("profile.json")}).out, "verified\n");
}
