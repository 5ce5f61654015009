#include "config/ProfileRules.h"

#include "config/ButtonItemTexts.h"
#include "config/DpiTable.h"
#include "config/KeyFunctionCode.h"
#include "config/KeyNames.h"
#include "config/LightingTexts.h"
#include "config/TextTable.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

namespace {

using Choice = ProfileRule::Choice;
using Json = ProfileRule::Json;

const TextTable& english()
{
    static const TextTable table = TextTable::forLanguage(Language::English);
    return table;
}

template <std::size_t N>
std::vector<std::string> namesOf(const std::array<std::string, N>& texts)
{
    return {texts.begin(), texts.end()};
}

template <std::size_t N>
std::vector<std::string> englishOf(const std::array<LocalizedText, N>& texts)
{
    std::vector<std::string> names;
    for (const LocalizedText& text : texts)
        names.emplace_back(text.english);
    return names;
}

// The number a parameter text starts with: "85%" gives 85, "1.5S" gives 1.5.
Json leadingNumber(std::string_view text)
{
    const double value = std::stod(std::string(text));
    if (value == static_cast<int>(value))
        return static_cast<int>(value);
    return value;
}

ProfileRule parameterRule(std::string what, std::string_view (*text)(std::size_t), std::size_t count, std::string unit)
{
    std::vector<Choice> choices;
    std::string allowed;
    for (std::size_t i = 0; i < count; ++i) {
        choices.push_back({leadingNumber(text(i)), static_cast<std::uint8_t>(i)});
        allowed += (allowed.empty() ? "" : ", ") + choices.back().value.dump();
    }
    return ProfileRule(std::move(what), std::move(choices), allowed + " (" + unit + ")");
}

ProfileRule keyRule(std::string what, std::span<const KeyEntry> entries, bool byPosition, std::string allowed)
{
    std::vector<Choice> choices;
    for (std::size_t i = 0; i < entries.size(); ++i)
        choices.push_back({std::string(entries[i].name), byPosition ? static_cast<std::uint8_t>(i) : entries[i].usage});
    return ProfileRule(std::move(what), std::move(choices), std::move(allowed));
}

} // namespace

const ProfileRule& ProfileRules::reportRate()
{
    static const ProfileRule rule("a report rate in Hz", {{1000, 1}, {500, 2}, {250, 4}, {125, 8}});
    return rule;
}

const ProfileRule& ProfileRules::keyGroup()
{
    static const ProfileRule rule = ProfileRule::names("a key group", {"Mode A", "Mode B"});
    return rule;
}

const ProfileRule& ProfileRules::stageEnabled()
{
    static const ProfileRule rule("true or false", {{false, 0}, {true, 1}});
    return rule;
}

const ProfileRule& ProfileRules::firstRun()
{
    // The flag is 0 until the first Apply: the window then writes the default captions.
    static const ProfileRule rule("true or false", {{true, 0}, {false, 1}});
    return rule;
}

const ProfileRule& ProfileRules::lightingMode()
{
    static const ProfileRule rule = ProfileRule::names("a lighting mode", namesOf(english().lightingModes));
    return rule;
}

const ProfileRule& ProfileRules::effect()
{
    static const ProfileRule rule = ProfileRule::names("a lighting effect", namesOf(english().effects));
    return rule;
}

const ProfileRule& ProfileRules::brightness()
{
    static const ProfileRule rule = parameterRule("a brightness", &LightingTexts::standardParameter,
                                                  LightingTexts::kStandardCount, "percent");
    return rule;
}

const ProfileRule& ProfileRules::respirationPeriod()
{
    static const ProfileRule rule = parameterRule("a breathing period", &LightingTexts::respirationParameter,
                                                  LightingTexts::kRespirationCount, "seconds");
    return rule;
}

const ProfileRule& ProfileRules::neonPeriod()
{
    static const ProfileRule rule =
        parameterRule("a neon period", &LightingTexts::neonParameter, LightingTexts::kNeonCount, "seconds");
    return rule;
}

const ProfileRule& ProfileRules::fireTime()
{
    static const ProfileRule rule = ProfileRule::range("a fire key time", 5, 255);
    return rule;
}

const ProfileRule& ProfileRules::function()
{
    static const ProfileRule rule = ProfileRule::names("a key function", namesOf(english().keyFunctions));
    return rule;
}

const ProfileRule& ProfileRules::dpiSwitchMode()
{
    static const ProfileRule rule("a DPI switch mode", {{"DPI +", toByte(DpiSwitchMode::Up)},
                                                        {"DPI -", toByte(DpiSwitchMode::Down)},
                                                        {"DPI Loop", toByte(DpiSwitchMode::Loop)}});
    return rule;
}

const ProfileRule& ProfileRules::multimediaItem()
{
    static const ProfileRule rule = ProfileRule::names("a multimedia item", englishOf(ButtonItemTexts::kMultimedia));
    return rule;
}

const ProfileRule& ProfileRules::windowsItem()
{
    static const ProfileRule rule = ProfileRule::names("a Windows item", englishOf(ButtonItemTexts::kWindows));
    return rule;
}

const ProfileRule& ProfileRules::hotKeyItem()
{
    static const ProfileRule rule = ProfileRule::names("a hot key item", englishOf(ButtonItemTexts::kHotKey));
    return rule;
}

const ProfileRule& ProfileRules::fireKey()
{
    static const ProfileRule rule = keyRule("a fire key", KeyNames::fireKeyList(), true,
                                            "the fire key list: \"L-Button\" ... \"B5-Button\", \"A\" ... \"Z\", "
                                            "\"1\" ... \"0\", \"L-CTRL\" ... \"R-ALT\", \"F1\" ... \"F12\"");
    return rule;
}

const ProfileRule& ProfileRules::fireTimes()
{
    static const ProfileRule rule = ProfileRule::range("a fire count", 0, 127);
    return rule;
}

const ProfileRule& ProfileRules::fireKeyCode()
{
    static const ProfileRule rule = ProfileRule::range("a keyboard usage", 0, 255);
    return rule;
}

const ProfileRule& ProfileRules::singleKey()
{
    static const ProfileRule rule = [] {
        std::vector<Choice> choices{{"", 0}};
        for (const KeyEntry& entry : KeyNames::keyNameTable())
            choices.push_back({std::string(entry.name), entry.usage});
        return ProfileRule("a key name", std::move(choices),
                           "a name of the key name table (\"A\", \"F1\", \"Right Ctrl\", ...), or \"\" for no key");
    }();
    return rule;
}

const ProfileRule& ProfileRules::reservedByte()
{
    static const ProfileRule rule = ProfileRule::range("a byte", 0, 255);
    return rule;
}

const ProfileRule& ProfileRules::sensorType()
{
    static const ProfileRule rule = ProfileRule::range("a sensor type", 0, 3);
    return rule;
}

ProfileRule ProfileRules::dpiLevel(std::optional<std::uint8_t> sensorType)
{
    if (!sensorType)
        return ProfileRule("a DPI level without a sensor type", {},
                           R"({"byte": N} with the level index (0 is the lowest), or "sensor_type" for DPI values)");
    std::vector<Choice> choices;
    for (int level = 0; level < DpiTable::levelCount(*sensorType); ++level)
        choices.push_back({std::stoi(DpiTable::label(*sensorType, level)), static_cast<std::uint8_t>(level)});
    return ProfileRule("a DPI of sensor type " + std::to_string(*sensorType), std::move(choices));
}

} // namespace kestrel
