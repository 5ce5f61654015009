// What reaches the mouse or a file from a profile: never a guess, never a
// default standing in for a failed read, never a file destroyed by mistake.
#include "config/ConfigImage.h"
#include "config/DefaultSettings.h"
#include "config/DpiTable.h"
#include "config/ProfileFiles.h"
#include <SettingsSource.h>

#include "CtlRunSupport.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace kestrel;
using kestrel::ctl::SettingsSource;
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

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class ProfileSafetyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path()
            / ("kestrelctl-safety-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        SettingsRecord record = defaultSettingsRecord();
        // The highest levels: a level moved to another sensor type shows.
        record.setDpiLevel(2, 7);
        record.setDpiLevel(3, 6);
        std::string config(1, '\1');
        config.append(record.bytes().begin(), record.bytes().end());
        writeText(configBin(), config);
        ASSERT_FALSE(std::filesystem::exists(SettingsSource::programConfigBin()))
            << "the tests need the program's own config.bin to be missing";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    std::string configBin() const { return path("config.bin"); }
    std::string simulate() const { return "--simulate=" + path("mouse.img"); }

    // A simulated mouse of the sensor type, as its factory image has it otherwise.
    void makeMouse(std::uint8_t sensorType)
    {
        std::filesystem::remove(path("mouse.img"));
        ASSERT_EQ(runCtl({simulate(), "read"}).exitCode, 0);
        ConfigImage image;
        const std::string bytes = fileText(path("mouse.img"));
        ASSERT_EQ(bytes.size(), ConfigImage::kSize);
        std::copy(bytes.begin(), bytes.end(), image.bytes().begin());
        image.page(4)[ConfigImage::kPage4SensorType] = sensorType;
        writeText(path("mouse.img"), std::string(image.bytes().begin(), image.bytes().end()));
    }

    std::filesystem::path folder_;
};

} // namespace

TEST_F(ProfileSafetyTest, ABrokenProfileOfAConfigBinsSizeIsAProfileAndNothingIsSent)
{
    std::string text = runCtl({"export", configBin()}).out;
    text = text.substr(0, 160) + ",";
    text.append(199 - text.size(), ' ');
    text += "}";
    ASSERT_EQ(text.size(), 200u);
    writeText(path("broken.json"), text);
    makeMouse(1);
    const std::string mouseBefore = fileText(path("mouse.img"));
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{simulate(), "apply", "--verify", path("broken.json")},
          std::vector<std::string>{"diff", configBin(), path("broken.json")},
          std::vector<std::string>{"import", path("broken.json"), "--to", configBin()}}) {
        const CtlRun run = runCtl(command);
        EXPECT_EQ(run.exitCode, 1) << command[1];
        EXPECT_TRUE(contains(run.err, "broken.json: not valid JSON: parse error at line")) << run.err;
        EXPECT_FALSE(contains(run.err, "200 bytes")) << run.err;
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(fileText(path("mouse.img")), mouseBefore);

    writeText(path("short.json"), "\n  {\"format\": \"kestrel-profile\" \"version\": 1}");
    const CtlRun shortRun = runCtl({simulate(), "apply", path("short.json")});
    EXPECT_EQ(shortRun.exitCode, 1);
    EXPECT_TRUE(contains(shortRun.err, "short.json: not valid JSON: parse error at line 2")) << shortRun.err;
    EXPECT_EQ(fileText(path("mouse.img")), mouseBefore);
}

TEST_F(ProfileSafetyTest, UTF16AndConfigBinFilesAreNamedForWhatTheyAre)
{
    const std::string text = runCtl({"export", configBin()}).out;
    std::string utf16 = "\xFF\xFE";
    for (const char c : text)
        utf16 += std::string{c, '\0'};
    writeText(path("utf16.json"), utf16);
    makeMouse(0);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{simulate(), "apply", path("utf16.json")},
          std::vector<std::string>{"diff", path("utf16.json"), configBin()},
          std::vector<std::string>{"import", path("utf16.json"), "--to", configBin()}}) {
        const CtlRun run = runCtl(command);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(contains(run.err, "utf16.json: saved as UTF-16; save it as UTF-8")) << run.err;
    }
    writeText(path("target.bin"), fileText(configBin()));
    const CtlRun imported = runCtl({"import", configBin(), "--to", path("target.bin")});
    EXPECT_EQ(imported.exitCode, 1);
    EXPECT_TRUE(contains(imported.err, "config.bin: a config.bin, not a profile; \"kestrelctl apply "))
        << imported.err;
    EXPECT_TRUE(contains(imported.err, "\" sends it to the mouse, \"kestrelctl export ")) << imported.err;
    EXPECT_EQ(fileText(path("target.bin")), fileText(configBin()));
}

TEST_F(ProfileSafetyTest, APartialProfileWithoutItsBaseSendsNothingAndNamesTheMissingFile)
{
    writeText(path("partial.json"), R"({"format": "kestrel-profile", "version": 1, "report_rate": 125})");
    makeMouse(1);
    const std::string mouseBefore = fileText(path("mouse.img"));
    const std::string missing = SettingsSource::programConfigBin().string();
    const CtlRun applied = runCtl({simulate(), "apply", "--verify", path("partial.json")});
    EXPECT_EQ(applied.exitCode, 1);
    EXPECT_EQ(applied.out, "");
    EXPECT_TRUE(contains(applied.err, "partial.json leaves settings out, which come from the program's config.bin, "
                                      "and that cannot be read: " + missing))
        << applied.err;
    EXPECT_TRUE(contains(applied.err, "; nothing was sent\n")) << applied.err;
    EXPECT_EQ(fileText(path("mouse.img")), mouseBefore);
    const CtlRun compared = runCtl({"diff", configBin(), path("partial.json")});
    EXPECT_EQ(compared.exitCode, 1);
    EXPECT_TRUE(contains(compared.err, missing)) << compared.err;

    // With the base there, the command says which one it used.
    // The topmost folder made for it goes again afterwards.
    std::filesystem::path made = missing;
    while (!std::filesystem::exists(made.parent_path()))
        made = made.parent_path();
    std::filesystem::create_directories(std::filesystem::path(missing).parent_path());
    std::filesystem::copy_file(configBin(), missing);
    const CtlRun withBase = runCtl({simulate(), "apply", path("partial.json")});
    std::filesystem::remove_all(made);
    EXPECT_EQ(withBase.exitCode, 0) << withBase.err;
    EXPECT_TRUE(contains(withBase.err, "what " + path("partial.json") + " leaves out comes from " + missing))
        << withBase.err;

    // A complete profile needs no base, and says nothing about one.
    ASSERT_EQ(runCtl({"export", configBin(), "-o", path("full.json")}).exitCode, 0);
    const CtlRun full = runCtl({simulate(), "apply", path("full.json")});
    EXPECT_EQ(full.exitCode, 0) << full.err;
    EXPECT_EQ(full.err, "");

    // import says what stays as its target has it.
    const CtlRun imported = runCtl({"import", path("partial.json"), "--to", configBin()});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_TRUE(contains(imported.err, "leaves out stays as " + configBin() + " has it")) << imported.err;
}

TEST_F(ProfileSafetyTest, ExportOfAConfigBinThatCannotBeReadFails)
{
    std::filesystem::create_directories(path("folder.bin"));
    writeText(path("short.bin"), std::string(199, '\0'));
    for (const std::string& config : {path("folder.bin"), path("short.bin"), path("missing.bin")}) {
        const CtlRun run = runCtl({"export", config, "-o", path("out.json")});
        EXPECT_EQ(run.exitCode, 1) << config;
        EXPECT_TRUE(contains(run.err, config)) << run.err;
        EXPECT_FALSE(std::filesystem::exists(path("out.json")));
    }
}

TEST_F(ProfileSafetyTest, ExportNeverReplacesItsOwnInputOrAnotherConfigBinUnlessTold)
{
    const std::string config = fileText(configBin());
    const CtlRun itself = runCtl({"export", configBin(), "-o", configBin()});
    EXPECT_EQ(itself.exitCode, 1);
    EXPECT_TRUE(contains(itself.err, "is the config.bin being exported; --overwrite-config replaces it")) << itself.err;
    std::filesystem::create_hard_link(configBin(), path("link.bin"));
    EXPECT_EQ(runCtl({"export", configBin(), "-o", path("link.bin")}).exitCode, 1);
    writeText(path("other.bin"), config);
    const CtlRun other = runCtl({"export", configBin(), "-o", path("other.bin")});
    EXPECT_EQ(other.exitCode, 1);
    EXPECT_TRUE(contains(other.err, "other.bin: holds a config.bin; --overwrite-config")) << other.err;
    EXPECT_EQ(fileText(configBin()), config);
    EXPECT_EQ(fileText(path("other.bin")), config);

    // A profile there is replaced as before, and the flag allows the rest.
    writeText(path("old.json"), "{}");
    EXPECT_EQ(runCtl({"export", configBin(), "-o", path("old.json")}).exitCode, 0);
    EXPECT_EQ(fileText(path("old.json")), runCtl({"export", configBin()}).out);
    EXPECT_EQ(runCtl({"export", configBin(), "-o", path("other.bin"), "--overwrite-config"}).exitCode, 0);
    EXPECT_EQ(fileText(path("other.bin")), fileText(path("old.json")));
}

TEST_F(ProfileSafetyTest, WithoutStrIniNoCaptionIsWrittenAndImportKeepsOrMakesCaptions)
{
    const CtlRun exported = runCtl({"export", configBin(), "-o", path("profile.json")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    Json document = Json::parse(fileText(path("profile.json")));
    for (const Json& group : document["buttons"])
        for (const Json& button : group)
            EXPECT_FALSE(button.contains("caption")) << button.dump();

    std::filesystem::create_directories(path("target"));
    writeText(path("target/config.bin"), fileText(configBin()));
    writeText(path("target/str.ini"), "[Skins]\nLan=EN\n\n[Setting-EN]\nItem1=My Left\nItem4=My Forward\n");
    document["buttons"][0][3] = Json::parse(R"({"function": "Fire Key", "key": "B", "times": 2})");
    writeText(path("edited.json"), document.dump());
    const CtlRun imported = runCtl({"import", path("edited.json"), "--to", path("target/config.bin")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    ProfileData target;
    ASSERT_EQ(ProfileFiles(path("target/config.bin")).load(target, std::nullopt), "");
    EXPECT_EQ(target.captions[0], "My Left");
    EXPECT_EQ(target.captions[3], "Fire Key-B");
}

// config.bin does not say its sensor type: a round trip through a profile
// leaves the mouse exactly as the config.bin itself does, on every sensor type.
TEST_F(ProfileSafetyTest, ApplyOfAConfigBinAndOfItsExportLeaveTheSameImageOnEverySensorType)
{
    const CtlRun exported = runCtl({"export", configBin(), "-o", path("export.json")});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    EXPECT_FALSE(Json::parse(fileText(path("export.json"))).contains("sensor_type"));
    for (std::uint8_t sensor = 0; sensor < 4; ++sensor) {
        SCOPED_TRACE("sensor type " + std::to_string(sensor));
        makeMouse(sensor);
        const CtlRun fromConfig = runCtl({simulate(), "apply", "--verify", configBin()});
        ASSERT_EQ(fromConfig.exitCode, 0) << fromConfig.err;
        const std::string configImage = fileText(path("mouse.img"));

        makeMouse(sensor);
        const CtlRun fromProfile = runCtl({simulate(), "apply", "--verify", path("export.json")});
        ASSERT_EQ(fromProfile.exitCode, 0) << fromProfile.err;
        EXPECT_EQ(fromProfile.err, "");
        EXPECT_EQ(fileText(path("mouse.img")), configImage);

        // Exported by the mouse's sensor type, the DPI values are that type's, and still the same levels.
        const CtlRun labelled = runCtl({simulate(), "export", configBin(), "-o", path("labelled.json")});
        ASSERT_EQ(labelled.exitCode, 0) << labelled.err;
        const Json document = Json::parse(fileText(path("labelled.json")));
        EXPECT_EQ(document["sensor_type"], sensor);
        EXPECT_EQ(document["stages"][2]["dpi"], std::stoi(DpiTable::label(sensor, 7)));
        makeMouse(sensor);
        ASSERT_EQ(runCtl({simulate(), "apply", path("labelled.json")}).exitCode, 0);
        EXPECT_EQ(fileText(path("mouse.img")), configImage);

        const std::string sensorText = std::to_string(sensor);
        for (const std::string& profile : {path("export.json"), path("labelled.json")}) {
            const CtlRun diff = runCtl({"diff", configBin(), profile});
            EXPECT_EQ(diff.exitCode, 0) << diff.err;
            EXPECT_EQ(diff.out, "") << profile;
            const CtlRun bySensor = runCtl({"diff", "--sensor", sensorText, configBin(), profile});
            EXPECT_EQ(bySensor.exitCode, 0) << bySensor.err;
            EXPECT_EQ(bySensor.out, "") << profile;
        }
    }
}

TEST_F(ProfileSafetyTest, HostileDocumentsAreRefusedInFewLinesWithoutACrash)
{
    makeMouse(0);
    const std::string mouseBefore = fileText(path("mouse.img"));
    writeText(path("deep.json"), "{\"format\": " + std::string(50000, '[') + std::string(50000, ']') + "}");
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"import", path("deep.json"), "--to", configBin()},
          std::vector<std::string>{simulate(), "apply", path("deep.json")},
          std::vector<std::string>{"diff", path("deep.json"), configBin()}}) {
        const CtlRun run = runCtl(command);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(contains(run.err, "deep.json: nested deeper than 7 levels at byte 17")) << run.err;
    }
    EXPECT_EQ(fileText(path("mouse.img")), mouseBefore);

    Json document = Json::parse(runCtl({"export", configBin()}).out);
    std::string text = document.dump();
    text.insert(1, R"("report_rate": 250, )");
    writeText(path("twice.json"), text);
    const CtlRun twice = runCtl({simulate(), "apply", path("twice.json")});
    EXPECT_EQ(twice.exitCode, 1);
    EXPECT_TRUE(contains(twice.err, "twice.json: report_rate: the key is given twice")) << twice.err;
    EXPECT_EQ(fileText(path("mouse.img")), mouseBefore);

    std::string many = document.dump();
    many.pop_back();
    for (int i = 0; i < 980; ++i)
        many += ",\"k" + std::to_string(i) + "\":1";
    writeText(path("many.json"), many + "}");
    const std::string config = fileText(configBin());
    const CtlRun manyRun = runCtl({"import", path("many.json"), "--to", configBin()});
    EXPECT_EQ(manyRun.exitCode, 1);
    // The line naming the base, 20 problems, the count of the rest, the summary.
    EXPECT_EQ(std::count(manyRun.err.begin(), manyRun.err.end(), '\n'), 23) << manyRun.err.substr(0, 2000);
    EXPECT_TRUE(contains(manyRun.err, "\n... and 960 more\n")) << manyRun.err.substr(0, 2000);
    EXPECT_TRUE(contains(manyRun.err, "many.json: 980 problems; nothing was written\n"));
    EXPECT_LT(manyRun.err.size(), 20u * 400u);

    std::string tooMany = "{\"format\": \"kestrel-profile\"";
    for (int i = 0; i < 60000; ++i)
        tooMany += ",\"k" + std::to_string(i) + "\":1";
    writeText(path("too-many.json"), tooMany + "}");
    const CtlRun tooManyRun = runCtl({"import", path("too-many.json"), "--to", configBin()});
    EXPECT_EQ(tooManyRun.exitCode, 1);
    EXPECT_EQ(tooManyRun.err, "kestrelctl: " + path("too-many.json") + ": (document): more than 1000 keys in one "
                              "object; a profile has at most 12; nothing was written\n");

    writeText(path("long.json"), "{\"format\": \"kestrel-profile\", \"version\": 1, \"" + std::string(900000, 'n') + "\": 1}");
    const CtlRun longRun = runCtl({"import", path("long.json"), "--to", configBin()});
    EXPECT_EQ(longRun.exitCode, 1);
    EXPECT_TRUE(contains(longRun.err, "\n" + std::string(60, 'n') + "...: unknown key;")) << longRun.err.substr(0, 300);
    EXPECT_LT(longRun.err.size(), 1000u);
    EXPECT_EQ(fileText(configBin()), config);
}

TEST_F(ProfileSafetyTest, AFunctionChangedByHandIsNamedAsTheCauseOfItsStoredBlock)
{
    Json document = Json::parse(runCtl({"export", "--sensor", "0", configBin()}).out);
    document["buttons"][0][3]["function"] = "Fire Key";
    writeText(path("edited.json"), document.dump());
    const CtlRun run = runCtl({"import", path("edited.json"), "--to", configBin()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(contains(run.err, "buttons[0][3].stored.fire_key: the button's function is \"Fire Key\", whose "
                                  "values go beside \"function\""))
        << run.err;
    EXPECT_FALSE(contains(run.err, "did you mean")) << run.err;
}

TEST_F(ProfileSafetyTest, AFailedVerifyReadBackNamesTheOperationAndPage)
{
    ASSERT_EQ(runCtl({"export", configBin(), "-o", path("profile.json")}).exitCode, 0);
    makeMouse(1);
    // A read takes exchanges 0-16, the status query 17-18, the write 19-36; the read-back starts at 37.
    ::setenv("KESTREL_SIM_FAULTS", "41:noanswer", 1);
    const CtlRun run = runCtl({simulate(), "apply", "--verify", path("profile.json")});
    ::unsetenv("KESTREL_SIM_FAULTS");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(contains(run.err, "kestrelctl: verify: ReadOperation failed at page ")) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}
