#include "config/DefaultSettings.h"
#include "config/DpiTable.h"
#include "config/KeyFunctionCode.h"
#include "config/KeyNames.h"
#include "config/ProfileReader.h"
#include "config/ProfileWriter.h"
#include "config/TextTable.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace kestrel;
using Json = ProfileRule::Json;

namespace {

ProfileData shippedDefault()
{
    ProfileData data;
    data.record = defaultSettingsRecord();
    data.captions = StrIniSettings::defaultCaptions(Language::English);
    data.sensorType = 0;
    return data;
}

// Through the text, as a file carries it.
ProfileReader::Result throughText(const ProfileData& data, const ProfileData& over)
{
    return ProfileReader::read(Json::parse(ProfileWriter::write(data).dump(2)), over);
}

bool holdsUnnamedByte(const Json& value)
{
    if (value.is_object() && value.contains("byte"))
        return true;
    for (const Json& item : value)
        if (item.is_structured() && holdsUnnamedByte(item))
            return true;
    return false;
}

// A record as the window can leave it: every value inside its range.
ProfileData randomValidData(std::mt19937& random)
{
    auto below = [&random](int n) { return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(0, n - 1)(random)); };
    ProfileData data;
    const std::uint8_t sensorType = below(4);
    data.sensorType = sensorType;
    data.firstRunFlag = below(2);
    SettingsRecord& r = data.record;
    const int levels = DpiTable::levelCount(sensorType);
    r.setReportRate(std::array<std::uint8_t, 4>{1, 2, 4, 8}[below(4)]);
    for (int k = 0; k < SettingsRecord::kStageCount; ++k) {
        r.setDpiLevel(k, below(levels));
        r.setDpiEnabled(k, below(2));
        r.setDpiColor(k, {below(256), below(256), below(256)});
    }
    r.setLedMode(below(4));
    r.setLedBrightness(below(10));
    r.setLedPeriod(below(5));
    r.setNeonPeriod(below(30));
    for (int i = 0; i < 3; ++i)
        r.setEffect(i, below(4));
    r.setModeShown(below(2));
    r.setFireMakeTime(static_cast<std::uint8_t>(5 + below(251)));
    r.setFireBreakTime(static_cast<std::uint8_t>(5 + below(251)));
    r.setSnipeDpiCode(DpiTable::code(sensorType, below(levels), true));
    for (const KeyGroup g : keygroup::kAll) {
        for (int b = 0; b < 8; ++b) {
            r.setKeyFunction(g, b, below(kKeyFunctionCount));
            r.setMediaIndex(g, b, below(7));
            r.setWindowsIndex(g, b, below(9));
            r.setHotKeyIndex(g, b, below(8));
            r.setSingleKeyCode(g, b, KeyNames::keyNameTable()[below(107)].usage);
            r.setSnipeIndex(g, b, below(levels));
            r.setFireKeyIndex(g, b, below(59));
            r.setFireKeyCode(g, b, KeyNames::fireKeyUsage(r.fireKeyIndex(g, b)));
            r.setFireTimes(g, b, below(128));
            r.setDpiSwitchMode(g, b, static_cast<std::uint8_t>(3 + below(3)));
            data.captions[keygroup::slot(g, b)] = "Caption " + std::to_string(below(100)) + " 按键";
        }
    }
    for (const std::size_t offset : {0, 1, 2, 3, 4, 6, 0x22})
        r.bytes()[offset] = below(256);
    return data;
}

ProfileData randomBytes(std::mt19937& random)
{
    ProfileData data;
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::uint8_t& b : data.record.bytes())
        b = static_cast<std::uint8_t>(byte(random));
    data.firstRunFlag = static_cast<std::uint8_t>(byte(random));
    data.sensorType = static_cast<std::uint8_t>(byte(random) % 4);
    return data;
}

// The same settings; a caption left blank (and so out of the document) may be
// made again for the button's function.
bool sameSettings(const ProfileData& read, const ProfileData& written)
{
    for (std::size_t i = 0; i < written.captions.size(); ++i)
        if (!written.captions[i].empty() && read.captions[i] != written.captions[i])
            return false;
    return read.record == written.record && read.firstRunFlag == written.firstRunFlag
        && read.sensorType == written.sensorType;
}

} // namespace

TEST(ProfileTest, TheShippedDefaultRoundTripsAndReadsByName)
{
    const ProfileData shipped = shippedDefault();
    const Json document = ProfileWriter::write(shipped);
    EXPECT_EQ(document["format"], "kestrel-profile");
    EXPECT_EQ(document["version"], 1);
    EXPECT_EQ(document["report_rate"], 1000);
    EXPECT_EQ(document["stages"][0]["colour"], "#FF0000");
    EXPECT_EQ(document["buttons"][0][5]["function"], "DPI Switch");
    EXPECT_EQ(document["buttons"][0][5]["mode"], "DPI +");
    EXPECT_EQ(document["buttons"][0][5]["caption"], "DPI +");
    EXPECT_FALSE(holdsUnnamedByte(document)) << document.dump(2);

    const ProfileReader::Result result = throughText(shipped, ProfileData{});
    ASSERT_TRUE(result.ok()) << result.problems.front();
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(result.data, shipped);
    EXPECT_EQ(ProfileWriter::write(result.data), document);
}

TEST(ProfileTest, RandomRecordsRoundTripByteForByteOverAnyCurrentSettings)
{
    std::mt19937 random(15);
    for (int i = 0; i < 300; ++i) {
        const ProfileData valid = randomValidData(random);
        const Json document = ProfileWriter::write(valid);
        ASSERT_FALSE(holdsUnnamedByte(document)) << "every valid value has a name: " << document.dump();
        const ProfileReader::Result result = throughText(valid, randomBytes(random));
        ASSERT_TRUE(result.ok()) << result.problems.front();
        ASSERT_EQ(result.data, valid) << document.dump();
        ASSERT_EQ(ProfileWriter::write(result.data), document);
    }
    // Bytes the window never stores survive too, written as {"byte": N}.
    for (int i = 0; i < 100; ++i) {
        ProfileData any = randomBytes(random);
        any.captions = shippedDefault().captions;
        const ProfileReader::Result result = throughText(any, shippedDefault());
        ASSERT_TRUE(result.ok()) << result.problems.front();
        ASSERT_EQ(result.data, any);
    }
}

TEST(ProfileTest, MissingKeysKeepTheCurrentValues)
{
    const ProfileData shipped = shippedDefault();
    const Json partial = Json::parse(R"({"format": "kestrel-profile", "version": 1, "report_rate": 125,
        "buttons": [[{}, {"function": "Fire Key", "key": "R-CTRL"}, {}, {}, {}, {}, {}, {}],
                    [{}, {}, {}, {}, {}, {}, {}, {"caption": "Off"}]]})");
    const ProfileReader::Result result = ProfileReader::read(partial, shipped);
    ASSERT_TRUE(result.ok()) << result.problems.front();
    ProfileData expected = shipped;
    expected.record.setReportRate(8);
    expected.record.setKeyFunction(KeyGroup::ModeA, 1, toByte(KeyFunctionCode::FireKey));
    expected.record.setFireKeyIndex(KeyGroup::ModeA, 1, 44);
    expected.record.setFireKeyCode(KeyGroup::ModeA, 1, 0xE4);
    expected.captions[15] = "Off";
    EXPECT_EQ(result.data, expected);
}

TEST(ProfileTest, AProfileForAnotherSensorTypeMovesToTheNearestLevelWithAWarning)
{
    ProfileData data = shippedDefault();
    data.sensorType = 1;
    data.record.setDpiLevel(0, 4);                               // 1600
    data.record.setSnipeDpiCode(DpiTable::code(1, 7, true));     // 3200
    data.record.setKeyFunction(KeyGroup::ModeA, 2, toByte(KeyFunctionCode::SnipeKey));
    data.record.setSnipeIndex(KeyGroup::ModeA, 2, 1);                          // 800
    const ProfileReader::Result result = ProfileReader::read(ProfileWriter::write(data), ProfileData{}, 0);
    ASSERT_TRUE(result.ok()) << result.problems.front();
    EXPECT_EQ(result.data.sensorType, 0);
    EXPECT_EQ(DpiTable::label(0, result.data.record.dpiLevel(0)), "1500");
    EXPECT_EQ(result.data.record.snipeDpiCode(), DpiTable::code(0, 9, true)); // 3000
    EXPECT_EQ(DpiTable::label(0, result.data.record.snipeIndex(KeyGroup::ModeA, 2)), "750");
    ASSERT_FALSE(result.warnings.empty());
    EXPECT_EQ(result.warnings.front(), "stages[0].dpi: 1600 DPI of sensor type 1 becomes 1500 DPI of sensor type 0");
    for (const std::string& warning : result.warnings)
        EXPECT_EQ(warning.find(".stored."), std::string::npos) << warning;
}

// Each rule of the value ranges, with a value it refuses and the line that says so.
TEST(ProfileTest, EveryRangeRuleRefusesItsBadValueAndNamesThePath)
{
    struct Case {
        const char* pointer;
        const char* value;
        const char* message;
    };
    const Case cases[] = {
        {"/format", R"("kestrel")", R"(format: a profile says "format": "kestrel-profile")"},
        {"/version", "2", "version: 2 is not a version this program reads; allowed: 1"},
        {"/sensor_type", "4", "sensor_type: 4 is not a sensor type; allowed: a whole number from 0 to 3"},
        {"/first_run", R"("no")", R"(first_run: "no" is not true or false; allowed: true, false)"},
        {"/report_rate", "300", "report_rate: 300 is not a report rate in Hz; allowed: 1000, 500, 250, 125"},
        {"/shown_key_group", R"("Mode C")", R"(shown_key_group: "Mode C" is not a key group; did you mean "Mode A"?)"},
        {"/stages", "[]", "stages: an array of 0 is not 4 stages; allowed: an array of 4"},
        {"/stages/1/enabled", "1", "stages[1].enabled: 1 is not true or false; allowed: false, true"},
        {"/stages/0/dpi", "1601", "stages[0].dpi: 1601 is not a DPI of sensor type 0; allowed: 250, 500, 750, 1000, "
                                  "1250, 1500, 1750, 2000, 2500, 3000, 3500, 4000"},
        {"/stages/2/colour", R"("#12345")", R"(stages[2].colour: "#12345" is not a colour; allowed: "#RRGGBB")"},
        {"/stages/3/colour", R"("red")", R"(stages[3].colour: "red" is not a colour)"},
        {"/snipe_dpi", "600", "snipe_dpi: 600 is not a DPI of sensor type 0; allowed: 250,"},
        {"/lighting/mode", R"("Standart")", R"(lighting.mode: "Standart" is not a lighting mode; did you mean "Standard"?)"},
        {"/lighting/standard/brightness", "50", "lighting.standard.brightness: 50 is not a brightness; allowed: 5, 15, "
                                                "25, 35, 45, 55, 65, 75, 85, 100 (percent)"},
        {"/lighting/respiration/period", "9", "lighting.respiration.period: 9 is not a breathing period; allowed: 8, "
                                              "7, 6, 5, 4 (seconds)"},
        {"/lighting/neon/period", "0.25", "lighting.neon.period: 0.25 is not a neon period; allowed: 0.5, 1, 1.5"},
        {"/lighting/neon/effect", R"("RGB Flsh")", R"(lighting.neon.effect: "RGB Flsh" is not a lighting effect; did you mean "RGB Flash"?)"},
        {"/fire/make_time", "4", "fire.make_time: 4 is not a fire key time; allowed: a whole number from 5 to 255"},
        {"/fire/break_time", "256", "fire.break_time: 256 is not a fire key time; allowed: a whole number from 5 to 255"},
        {"/buttons/0/1/function", R"("Right Klick")", R"(buttons[0][1].function: "Right Klick" is not a key function; did you mean "Right Click"?)"},
        {"/buttons/0/5/mode", R"("DPI ++")", R"(buttons[0][5].mode: "DPI ++" is not a DPI switch mode; did you mean "DPI +"?)"},
        {"/buttons/1/3", R"({"function": "Single Key", "key": "Left Wndows"})",
         R"(buttons[1][3].key: "Left Wndows" is not a key name; did you mean "Left Windows"?)"},
        {"/buttons/1/4", R"({"function": "Multimedia", "item": "Louder"})",
         R"(buttons[1][4].item: "Louder" is not a multimedia item; allowed: "Next", "Previous", "Stop", "Play/Pause", "Mute", "Vol+", "Vol-")"},
        {"/buttons/1/4", R"({"function": "Windows", "item": "Mail2"})", R"(buttons[1][4].item: "Mail2" is not a Windows item; did you mean "Mail"?)"},
        {"/buttons/1/4", R"({"function": "HotKey", "item": 3})", R"(buttons[1][4].item: 3 is not a hot key item; allowed: "Copy")"},
        {"/buttons/0/6", R"({"function": "Fire Key", "key": "R-Buton"})", R"(buttons[0][6].key: "R-Buton" is not a fire key; did you mean "R-Button"?)"},
        {"/buttons/0/6", R"({"function": "Fire Key", "times": 128})", "buttons[0][6].times: 128 is not a fire count; allowed: a whole number from 0 to 127"},
        {"/buttons/0/6", R"({"function": "Fire Key", "times": -1})", "buttons[0][6].times: -1 is not a fire count"},
        {"/buttons/0/6", R"({"function": "Snipe Key", "dpi": 600})", "buttons[0][6].dpi: 600 is not a DPI of sensor type 0"},
        {"/buttons/0/6", R"({"function": "Windows", "key": "A"})", "buttons[0][6].key: unknown key; allowed: function, item, caption, stored"},
        {"/buttons/0/6/stored", R"({"dpi_switch": {"mode": "DPI +"}})", "buttons[0][6].stored.dpi_switch: the button's function is \"DPI Switch\", whose values go beside"},
        {"/buttons/0/0/caption", R"("two\nlines")", "buttons[0][0].caption: the caption holds a line break or another control character"},
        {"/buttons/0/0/caption", R"(" padded")", "buttons[0][0].caption: the caption starts or ends with a blank"},
        {"/buttons/0/0/caption", R"("\"quoted\"")", "buttons[0][0].caption: the caption is enclosed in quotes"},
        {"/buttons/0/0/caption", "7", "buttons[0][0].caption: 7 is not a caption; allowed: a text"},
        {"/buttons/0", "[]", "buttons[0]: an array of 0 is not 8 buttons"},
        {"/reserved/6", "256", "reserved[6]: 256 is not a byte; allowed: a whole number from 0 to 255"},
        {"/report_rate", R"({"byte": -1})", "report_rate.byte: -1 is not a byte; allowed: a whole number from 0 to 255"},
        {"/report_rate", R"({"byte": 1, "bit": 2})", "report_rate: {\"byte\":1,\"bit\":2} is not a report rate in Hz"},
        {"/colour", "1", R"(colour: unknown key; allowed: format, version,)"},
        {"/lighting/modee", R"("Off")", R"(lighting.modee: unknown key; did you mean "mode"?)"},
    };
    const ProfileData shipped = shippedDefault();
    const Json valid = ProfileWriter::write(shipped);
    for (const Case& c : cases) {
        Json bad = valid;
        bad[Json::json_pointer(c.pointer)] = Json::parse(c.value);
        const ProfileReader::Result result = ProfileReader::read(bad, shipped);
        ASSERT_EQ(result.problems.size(), 1u) << c.pointer << " " << c.value
                                              << (result.problems.empty() ? "" : "\n" + result.problems.back());
        EXPECT_TRUE(result.problems.front().starts_with(c.message)) << result.problems.front();
    }
    const std::string long_(1024, 'x');
    Json bad = valid;
    bad["buttons"][0][0]["caption"] = long_;
    EXPECT_EQ(ProfileReader::read(bad, shipped).problems,
              std::vector<std::string>{"buttons[0][0].caption: the caption is longer than 1023 characters"});
    bad["buttons"][0][0]["caption"] = long_.substr(1);
    EXPECT_TRUE(ProfileReader::read(bad, shipped).ok());
}

TEST(ProfileTest, EveryProblemOfADocumentIsListed)
{
    const Json bad = Json::parse(R"({"format": "kestrel-profile", "version": 1, "report_rate": 100,
        "fire": {"make_time": 1, "break_time": 1}, "extra": true})");
    const auto problems = ProfileReader::read(bad, shippedDefault()).problems;
    EXPECT_EQ(problems.size(), 4u);
    EXPECT_FALSE(ProfileReader::read(Json::parse("[1, 2]"), shippedDefault()).ok());
    EXPECT_FALSE(ProfileReader::read(Json::parse("{}"), shippedDefault()).ok());
}

// Mutated profiles of every kind: the reader never crashes, and whatever it
// accepts writes back as a document it accepts again with the same result.
TEST(ProfileTest, FuzzedProfilesNeverCrashTheReader)
{
    const std::string text = ProfileWriter::write(shippedDefault()).dump(1);
    const std::string alphabet = "{}[]\":,0123456789.-+eE truefalsnul\\#\xC3\xA9";
    std::mt19937 random(1515);
    auto below = [&random](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    int accepted = 0;
    for (int i = 0; i < 10000; ++i) {
        std::string mutated = text;
        for (std::size_t edits = 1 + below(4); edits > 0; --edits) {
            const std::size_t at = below(mutated.size());
            switch (below(4)) {
            case 0: mutated[at] = alphabet[below(alphabet.size())]; break;
            case 1: mutated.erase(at, 1 + below(8)); break;
            case 2: mutated.insert(at, 1, alphabet[below(alphabet.size())]); break;
            default: mutated.insert(at, mutated.substr(below(mutated.size()), below(40))); break;
            }
        }
        const Json document = Json::parse(mutated, nullptr, false);
        if (document.is_discarded())
            continue;
        const ProfileReader::Result result = ProfileReader::read(document, shippedDefault());
        if (!result.ok())
            continue;
        ++accepted;
        const ProfileReader::Result again = ProfileReader::read(ProfileWriter::write(result.data), ProfileData{});
        ASSERT_TRUE(again.ok());
        ASSERT_TRUE(sameSettings(again.data, result.data)) << mutated;
    }
    EXPECT_GT(accepted, 0);
}

// config.bin does not say which sensor type its DPI levels belong to.
TEST(ProfileTest, WithoutAKnownSensorTypeTheLevelsStayIndicesThroughAnyTarget)
{
    ProfileData data = shippedDefault();
    data.sensorType.reset();
    data.record.setDpiLevel(0, 7);
    data.record.setSnipeDpiCode(0x25);
    const Json document = ProfileWriter::write(data);
    EXPECT_FALSE(document.contains("sensor_type"));
    EXPECT_EQ(document["stages"][0]["dpi"], Json::parse(R"({"byte": 7})"));
    EXPECT_EQ(document["snipe_dpi"], Json::parse(R"({"byte": 37})"));
    for (std::uint8_t target = 0; target < 4; ++target) {
        const ProfileReader::Result result = ProfileReader::read(document, ProfileData{}, target);
        ASSERT_TRUE(result.ok()) << result.problems.front();
        EXPECT_TRUE(result.warnings.empty());
        EXPECT_EQ(result.data.record, data.record);
        EXPECT_EQ(result.data.sensorType, target);
    }
    EXPECT_EQ(ProfileReader::read(document, ProfileData{}).data, data);

    // A DPI value needs a sensor type to mean a level.
    Json byDpi = document;
    byDpi["stages"][0]["dpi"] = 2000;
    byDpi["snipe_dpi"] = 800;
    const auto problems = ProfileReader::read(byDpi, ProfileData{}).problems;
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "stages[0].dpi: 2000 is not a DPI level without a sensor type; allowed: {\"byte\": N} with "
                           "the level index (0 is the lowest), or \"sensor_type\" for DPI values");
    EXPECT_TRUE(problems[1].starts_with("snipe_dpi: 800 is not a snipe DPI without a sensor type")) << problems[1];
    const ProfileReader::Result forTarget = ProfileReader::read(byDpi, ProfileData{}, 1);
    ASSERT_TRUE(forTarget.ok()) << forTarget.problems.front();
    EXPECT_EQ(forTarget.data.record.dpiLevel(0), 5);
    EXPECT_EQ(forTarget.data.record.snipeDpiCode(), DpiTable::code(1, 1, true));
}

TEST(ProfileTest, CaptionsStrIniLacksAreLeftOutAndAChangedFunctionGetsTheCaptionThePageGives)
{
    ProfileData data = shippedDefault();
    data.captions = {};
    data.captions[2] = "Wheel";
    const Json document = ProfileWriter::write(data);
    EXPECT_FALSE(document["buttons"][0][0].contains("caption"));
    EXPECT_EQ(document["buttons"][0][2]["caption"], "Wheel");

    ProfileData target = shippedDefault();
    target.captions[0] = "Mine";
    Json edited = document;
    edited["buttons"][0][3] = Json::parse(R"({"function": "Fire Key", "key": "A", "times": 3})");
    edited["buttons"][1][4] = Json::parse(R"({"function": "Multimedia", "item": "Mute", "caption": ""})");
    const ProfileReader::Result english = ProfileReader::read(edited, target, std::nullopt, Language::English);
    ASSERT_TRUE(english.ok()) << english.problems.front();
    EXPECT_EQ(english.data.captions[0], "Mine");
    EXPECT_EQ(english.data.captions[2], "Wheel");
    EXPECT_EQ(english.data.captions[3], "Fire Key-A");
    EXPECT_EQ(english.data.captions[12], "Multimedia-Mute");
    EXPECT_EQ(english.data.captions[15], target.captions[15]);
    // Settings only compared keep the captions they have.
    EXPECT_EQ(ProfileReader::read(edited, target).data.captions[3], target.captions[3]);
    const ProfileReader::Result chinese = ProfileReader::read(edited, target, std::nullopt, Language::SimplifiedChinese);
    EXPECT_EQ(chinese.data.captions[12], TextTable::forLanguage(Language::SimplifiedChinese).keyFunction(
                                             KeyFunctionCode::Multimedia) + "-静音");
}

TEST(ProfileTest, AFunctionsOwnBlockLeftInStoredIsNamedAsTheCause)
{
    Json document = ProfileWriter::write(shippedDefault());
    // "Forward" changed to "Fire Key" by hand: its values stayed in "stored".
    document["buttons"][0][3]["function"] = "Fire Key";
    const auto fireKey = ProfileReader::read(document, shippedDefault()).problems;
    ASSERT_EQ(fireKey.size(), 1u);
    EXPECT_EQ(fireKey[0], R"(buttons[0][3].stored.fire_key: the button's function is "Fire Key", whose values go )"
                          R"(beside "function"; move them there (or remove this block), as "stored" keeps only other )"
                          R"(functions' values)");
    for (const char* function : {"DPI Switch", "Windows", "Multimedia", "HotKey", "Single Key", "Snipe Key"}) {
        document["buttons"][0][3]["function"] = function;
        const auto problems = ProfileReader::read(document, shippedDefault()).problems;
        ASSERT_EQ(problems.size(), 1u) << function;
        EXPECT_NE(problems[0].find("the button's function is \"" + std::string(function) + "\""), std::string::npos)
            << problems[0];
        EXPECT_EQ(problems[0].find("did you mean"), std::string::npos) << problems[0];
    }
}

TEST(ProfileTest, OnlyAProfileThatSetsEveryByteNeedsNoBase)
{
    const Json full = ProfileWriter::write(shippedDefault());
    EXPECT_TRUE(ProfileReader::setsEverySetting(full, std::nullopt));
    for (const char* key : {"first_run", "report_rate", "fire", "reserved", "snipe_dpi"}) {
        Json partial = full;
        partial.erase(key);
        EXPECT_FALSE(ProfileReader::setsEverySetting(partial, std::nullopt)) << key;
    }
    Json noStored = full;
    noStored["buttons"][1][7].erase("stored");
    EXPECT_FALSE(ProfileReader::setsEverySetting(noStored, std::nullopt));
}

TEST(ProfileTest, AnUnknownKeyIsEchoedShort)
{
    Json document = ProfileWriter::write(shippedDefault());
    document[std::string(900000, 'x')] = 1;
    const auto problems = ProfileReader::read(document, shippedDefault()).problems;
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_LT(problems[0].size(), 400u);
    EXPECT_TRUE(problems[0].starts_with(std::string(60, 'x') + "...: unknown key")) << problems[0].substr(0, 80);
}
