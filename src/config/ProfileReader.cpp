#include "config/ProfileReader.h"

#include "config/DpiTable.h"
#include "config/FunctionCaption.h"
#include "config/KeyNames.h"
#include "config/ProfileLayout.h"
#include "config/ProfileRules.h"

#include <algorithm>
#include <cstdlib>

namespace kestrel {

namespace {

using Json = ProfileRule::Json;

// The longest caption str.ini gives back whole.
constexpr std::size_t kMaxCaptionLength = 1023;

std::string join(const std::string& path, const std::string& key)
{
    return path.empty() ? key : path + "." + key;
}

std::string indexed(const std::string& path, std::size_t index)
{
    return path + "[" + std::to_string(index) + "]";
}

std::string listOf(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::size_t codePointCount(const std::string& utf8)
{
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Why str.ini could not give this caption back as it stands; empty when it can.
std::string captionProblem(const std::string& caption)
{
    if (codePointCount(caption) > kMaxCaptionLength)
        return "is longer than " + std::to_string(kMaxCaptionLength) + " characters";
    if (std::any_of(caption.begin(), caption.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return "holds a line break or another control character";
    if (!caption.empty() && (caption.front() == ' ' || caption.back() == ' '))
        return "starts or ends with a blank, which str.ini does not keep";
    if (caption.size() >= 2 && (caption.front() == '"' || caption.front() == '\'') && caption.back() == caption.front())
        return "is enclosed in quotes, which str.ini drops";
    return {};
}

std::optional<Rgb> parseColour(const Json& value)
{
    if (!value.is_string())
        return std::nullopt;
    const std::string text = value.get<std::string>();
    if (text.size() != 7 || text[0] != '#'
        || !std::all_of(text.begin() + 1, text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    const unsigned long rgb = std::strtoul(text.c_str() + 1, nullptr, 16);
    return Rgb{static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
}

// The level of `to` whose DPI is nearest to the level of `from`; the lower one on a tie.
int nearestLevel(std::uint8_t from, int level, std::uint8_t to)
{
    const int wanted = std::stoi(DpiTable::label(from, level));
    int best = 0;
    for (int candidate = 1; candidate < DpiTable::levelCount(to); ++candidate) {
        if (std::abs(std::stoi(DpiTable::label(to, candidate)) - wanted)
            < std::abs(std::stoi(DpiTable::label(to, best)) - wanted))
            best = candidate;
    }
    return best;
}

std::vector<std::string> valueNames(const profile::FunctionValues* values)
{
    std::vector<std::string> names;
    if (values)
        for (const profile::ButtonValue& value : values->values)
            names.emplace_back(value.name);
    return names;
}

} // namespace

ProfileReader::Result ProfileReader::read(const Json& document, const ProfileData& current,
                                          std::optional<std::uint8_t> targetSensorType,
                                          std::optional<Language> captionLanguage)
{
    Result result{current, {}, {}};
    ProfileReader(current, result, captionLanguage).readDocument(document, targetSensorType);
    return result;
}

bool ProfileReader::setsEverySetting(const Json& document, std::optional<std::uint8_t> targetSensorType)
{
    // Read over two bases that differ in every byte: any byte left out shows.
    ProfileData zeros;
    ProfileData ones;
    ones.firstRunFlag = 0xFF;
    std::ranges::fill(ones.record.bytes(), std::uint8_t{0xFF});
    zeros.sensorType = ones.sensorType = targetSensorType;
    const Result overZeros = read(document, zeros, targetSensorType);
    const Result overOnes = read(document, ones, targetSensorType);
    return overZeros.ok() && overOnes.ok() && overZeros.data.firstRunFlag == overOnes.data.firstRunFlag
        && overZeros.data.record == overOnes.data.record;
}

bool ProfileReader::looksLikeProfile(const Json& document)
{
    return document.is_object() && document.contains("format") && document["format"] == profile::kFormat;
}

ProfileReader::ProfileReader(const ProfileData& current, Result& result, std::optional<Language> captionLanguage)
    : result_(result)
    , captionLanguage_(captionLanguage)
    , targetSensor_(current.sensorType)
{
}

void ProfileReader::readDocument(const Json& document, std::optional<std::uint8_t> targetSensorType)
{
    if (!expectObject(document, "", {"format", "version", "sensor_type", "first_run", "report_rate",
                                     "shown_key_group", "stages", "snipe_dpi", "lighting", "fire", "buttons",
                                     "reserved"}))
        return;
    if (!looksLikeProfile(document))
        result_.problems.push_back(R"(format: a profile says "format": "kestrel-profile")");
    if (!document.contains("version") || document["version"] != profile::kVersion)
        result_.problems.push_back("version: " + (document.contains("version") ? shortDump(document["version"]) : "missing")
                                   + " is not a version this program reads; allowed: 1");
    readSensorType(document, targetSensorType);
    SettingsRecord& record = result_.data.record;
    auto byteOf = [&record](RecordField field) -> std::uint8_t& { return record.bytes()[field.offset]; };
    readByte(document, "first_run", "", ProfileRules::firstRun(), result_.data.firstRunFlag);
    readByte(document, "report_rate", "", ProfileRules::reportRate(), byteOf(SettingsRecord::kReportRate));
    readByte(document, "shown_key_group", "", ProfileRules::keyGroup(), byteOf(SettingsRecord::kModeShown));
    if (document.contains("stages"))
        readStages(document["stages"]);
    if (document.contains("snipe_dpi"))
        readSnipeDpi(document["snipe_dpi"]);
    if (document.contains("lighting"))
        readLighting(document["lighting"]);
    if (document.contains("fire"))
        readFire(document["fire"]);
    if (document.contains("buttons"))
        readButtons(document["buttons"]);
    if (document.contains("reserved"))
        readReserved(document["reserved"]);
}

void ProfileReader::readSensorType(const Json& document, std::optional<std::uint8_t> targetSensorType)
{
    if (document.contains("sensor_type")) {
        std::uint8_t named = 0;
        readByte(document, "sensor_type", "", ProfileRules::sensorType(), named);
        profileSensor_ = named;
    }
    // Without a target the profile's own sensor type, and without that the current one.
    targetSensor_ = targetSensorType ? targetSensorType : profileSensor_ ? profileSensor_ : targetSensor_;
    result_.data.sensorType = targetSensor_;
    if (targetSensor_ && profileSensor_ != targetSensor_ && DpiTable::levelCount(*targetSensor_) == 0)
        result_.problems.push_back("sensor_type: the DPI values cannot be moved to sensor type "
                                   + std::to_string(*targetSensor_) + ", which has no DPI levels");
}

void ProfileReader::readStages(const Json& stages)
{
    if (!expectArray(stages, "stages", SettingsRecord::kStageCount, "stages"))
        return;
    SettingsRecord& record = result_.data.record;
    for (int k = 0; k < SettingsRecord::kStageCount; ++k) {
        const std::string path = indexed("stages", static_cast<std::size_t>(k));
        const Json& stage = stages[static_cast<std::size_t>(k)];
        if (!expectObject(stage, path, {"enabled", "dpi", "colour"}))
            continue;
        readByte(stage, "enabled", path, ProfileRules::stageEnabled(),
                 record.bytes()[SettingsRecord::kDpiEnabled.offset + static_cast<std::size_t>(k)]);
        if (stage.contains("dpi"))
            if (const auto level = readDpiLevel(stage["dpi"], join(path, "dpi")))
                record.setDpiLevel(k, *level);
        if (stage.contains("colour")) {
            if (const auto colour = parseColour(stage["colour"]))
                record.setDpiColor(k, *colour);
            else
                result_.problems.push_back(join(path, "colour") + ": " + shortDump(stage["colour"])
                                           + R"( is not a colour; allowed: "#RRGGBB" in hexadecimal, e.g. "#FF8000")");
        }
    }
}

void ProfileReader::readSnipeDpi(const Json& value)
{
    if (value.is_object() || !readingSensor()) {
        if (const auto code = profile::snipeCodeRule(readingSensor()).decode(value, "snipe_dpi", result_.problems))
            result_.data.record.setSnipeDpiCode(*code);
        return;
    }
    if (const auto level = readDpiLevel(value, "snipe_dpi"))
        result_.data.record.setSnipeDpiCode(DpiTable::code(targetSensor_.value_or(*readingSensor()), *level, true));
}

std::optional<std::uint8_t> ProfileReader::readDpiLevel(const Json& value, const std::string& path)
{
    const auto level = ProfileRules::dpiLevel(readingSensor()).decode(value, path, result_.problems);
    // A level given as a byte is the level itself, whatever the sensor type.
    if (!level || value.is_object() || !profileSensor_ || !targetSensor_ || profileSensor_ == targetSensor_
        || DpiTable::levelCount(*targetSensor_) == 0)
        return level;
    const std::uint8_t from = *profileSensor_;
    const std::uint8_t to = *targetSensor_;
    const int moved = nearestLevel(from, *level, to);
    // Values kept for other functions are moved silently: the mouse does not use them.
    if (path.find(".stored.") == std::string::npos)
        result_.warnings.push_back(path + ": " + DpiTable::label(from, *level) + " DPI of sensor type "
                                   + std::to_string(from) + " becomes " + DpiTable::label(to, moved)
                                   + " DPI of sensor type " + std::to_string(to));
    return static_cast<std::uint8_t>(moved);
}

void ProfileReader::readLighting(const Json& lighting)
{
    if (!expectObject(lighting, "lighting", {"mode", "standard", "respiration", "neon"}))
        return;
    SettingsRecord& record = result_.data.record;
    auto byteOf = [&record](RecordField field, int index = 0) -> std::uint8_t& {
        return record.bytes()[field.offset + static_cast<std::size_t>(index)];
    };
    readByte(lighting, "mode", "lighting", ProfileRules::lightingMode(), byteOf(SettingsRecord::kLedMode));
    struct Parameter {
        const char* mode;
        const char* name;
        const ProfileRule& rule;
        RecordField field;
    };
    const std::array<Parameter, 3> parameters{{
        {"standard", "brightness", ProfileRules::brightness(), SettingsRecord::kLedBrightness},
        {"respiration", "period", ProfileRules::respirationPeriod(), SettingsRecord::kLedPeriod},
        {"neon", "period", ProfileRules::neonPeriod(), SettingsRecord::kNeonPeriod},
    }};
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const Parameter& p = parameters[i];
        if (!lighting.contains(p.mode))
            continue;
        const std::string path = join("lighting", p.mode);
        if (!expectObject(lighting[p.mode], path, {p.name, "effect"}))
            continue;
        readByte(lighting[p.mode], p.name, path, p.rule, byteOf(p.field));
        readByte(lighting[p.mode], "effect", path, ProfileRules::effect(),
                 byteOf(SettingsRecord::kEffect, static_cast<int>(i)));
    }
}

void ProfileReader::readFire(const Json& fire)
{
    if (!expectObject(fire, "fire", {"make_time", "break_time"}))
        return;
    SettingsRecord& record = result_.data.record;
    readByte(fire, "make_time", "fire", ProfileRules::fireTime(), record.bytes()[SettingsRecord::kFireMakeTime.offset]);
    readByte(fire, "break_time", "fire", ProfileRules::fireTime(),
             record.bytes()[SettingsRecord::kFireBreakTime.offset]);
}

void ProfileReader::readButtons(const Json& buttons)
{
    if (!expectArray(buttons, "buttons", SettingsRecord::kGroupCount, "key groups"))
        return;
    for (const KeyGroup group : keygroup::kAll) {
        const std::string groupPath = indexed("buttons", keygroup::index(group));
        const Json& row = buttons[keygroup::index(group)];
        if (!expectArray(row, groupPath, SettingsRecord::kButtonCount, "buttons"))
            continue;
        for (int b = 0; b < SettingsRecord::kButtonCount; ++b)
            readButton(row[static_cast<std::size_t>(b)], indexed(groupPath, static_cast<std::size_t>(b)), group, b);
    }
}

void ProfileReader::readButton(const Json& button, const std::string& path, KeyGroup group, int b)
{
    if (!button.is_object()) {
        expectObject(button, path, {});
        return;
    }
    const std::uint8_t previousFunction = result_.data.record.keyFunction(group, b);
    std::uint8_t function = previousFunction;
    const std::size_t problemsBefore = result_.problems.size();
    readByte(button, "function", path, ProfileRules::function(), function);
    // A function that could not be read leaves its values unjudged rather than wrongly refused.
    if (result_.problems.size() != problemsBefore)
        return;
    result_.data.record.setKeyFunction(group, b, function);
    std::vector<std::string> keys = valueNames(profile::valuesOf(function));
    keys.insert(keys.begin(), "function");
    keys.insert(keys.end(), {"caption", "stored"});
    if (!expectObject(button, path, keys))
        return;
    readFunctionValues(button, path, function, group, b);
    const bool captionGiven = button.contains("caption") && button["caption"] != "";
    if (captionGiven)
        readCaption(button["caption"], join(path, "caption"), keygroup::slot(group, b));
    if (button.contains("stored"))
        readStored(button["stored"], join(path, "stored"), function, group, b);
    if (!captionGiven && function != previousFunction && captionLanguage_)
        captionChangedFunction(group, b);
}

void ProfileReader::readStored(const Json& stored, const std::string& storedPath, std::uint8_t function, KeyGroup group,
                               int b)
{
    std::vector<std::string> storedNames;
    for (const profile::FunctionValues& other : profile::functionValues())
        if (toByte(other.function) != function)
            storedNames.emplace_back(other.storedName);
    // A misplaced block is named once, by its own problem.
    if (refuseMisplacedStoredBlock(stored, storedPath, function))
        storedNames.emplace_back(profile::valuesOf(function)->storedName);
    if (!expectObject(stored, storedPath, storedNames))
        return;
    for (const profile::FunctionValues& other : profile::functionValues()) {
        const std::string name(other.storedName);
        if (toByte(other.function) == function || !stored.contains(name))
            continue;
        const std::string valuesPath = join(storedPath, name);
        if (expectObject(stored[name], valuesPath, valueNames(&other)))
            readFunctionValues(stored[name], valuesPath, toByte(other.function), group, b);
    }
}

bool ProfileReader::refuseMisplacedStoredBlock(const Json& stored, const std::string& storedPath,
                                               std::uint8_t function)
{
    const profile::FunctionValues* of = profile::valuesOf(function);
    if (!of || !stored.is_object() || !stored.contains(std::string(of->storedName)))
        return false;
    // Most often a function changed by hand: its block stayed in "stored".
    result_.problems.push_back(join(storedPath, std::string(of->storedName)) + ": the button's function is "
                               + ProfileRules::function().encode(function).dump() + ", whose values go beside \"function\""
                               + "; move them there (or remove this block), as \"stored\" keeps only other functions' values");
    return true;
}

void ProfileReader::captionChangedFunction(KeyGroup group, int b)
{
    if (!texts_)
        texts_ = TextTable::forLanguage(*captionLanguage_);
    result_.data.captions[keygroup::slot(group, b)] =
        FunctionCaption::of(result_.data.record, group, b, *captionLanguage_, *texts_, targetSensor_.value_or(0));
}

void ProfileReader::readFunctionValues(const Json& values, const std::string& path, std::uint8_t function,
                                       KeyGroup group, int b)
{
    const profile::FunctionValues* of = profile::valuesOf(function);
    if (!of)
        return;
    SettingsRecord& record = result_.data.record;
    for (const profile::ButtonValue& value : of->values) {
        const std::string name(value.name);
        if (!values.contains(name))
            continue;
        std::uint8_t& target = profile::cell(record, value.column, group, b);
        if (!value.rule) {
            if (const auto level = readDpiLevel(values[name], join(path, name)))
                target = *level;
            continue;
        }
        readByte(values, name.c_str(), path, *value.rule, target);
    }
    // The fire key's usage follows its list position unless the profile gives it.
    if (of->function == KeyFunctionCode::FireKey && values.contains("key")
        && !values.contains(std::string(profile::kFireKeyCodeName)))
        profile::cell(record, SettingsRecord::kFireKeyCode, group, b) =
            KeyNames::fireKeyUsage(profile::cell(record, SettingsRecord::kFireKeyIndex, group, b));
}

void ProfileReader::readReserved(const Json& reserved)
{
    if (!expectArray(reserved, "reserved", profile::kReservedOffsets.size(), "bytes"))
        return;
    for (std::size_t i = 0; i < profile::kReservedOffsets.size(); ++i) {
        if (const auto byte = ProfileRules::reservedByte().decode(reserved[i], indexed("reserved", i), result_.problems))
            result_.data.record.bytes()[profile::kReservedOffsets[i]] = *byte;
    }
}

void ProfileReader::readCaption(const Json& caption, const std::string& path, std::size_t index)
{
    if (!caption.is_string()) {
        result_.problems.push_back(path + ": " + shortDump(caption) + " is not a caption; allowed: a text");
        return;
    }
    const std::string text = caption.get<std::string>();
    if (const std::string problem = captionProblem(text); !problem.empty()) {
        result_.problems.push_back(path + ": the caption " + problem);
        return;
    }
    result_.data.captions[index] = text;
}

void ProfileReader::readByte(const Json& object, const char* key, const std::string& path, const ProfileRule& rule,
                             std::uint8_t& target)
{
    if (!object.contains(key))
        return;
    if (const auto byte = rule.decode(object[key], join(path, key), result_.problems))
        target = *byte;
}

bool ProfileReader::expectObject(const Json& value, const std::string& path, std::vector<std::string> keys)
{
    if (!value.is_object()) {
        result_.problems.push_back((path.empty() ? std::string("(document)") : path) + ": " + shortDump(value)
                                   + " is not an object; allowed: {" + listOf(keys) + "}");
        return false;
    }
    for (const auto& [key, item] : value.items()) {
        if (std::find(keys.begin(), keys.end(), key) != keys.end())
            continue;
        std::string problem = join(path, shortName(key)) + ": unknown key";
        if (const auto suggestion = closestName(key, keys))
            problem += "; did you mean \"" + *suggestion + "\"?";
        else
            problem += "; allowed: " + listOf(keys);
        result_.problems.push_back(problem);
    }
    return true;
}

bool ProfileReader::expectArray(const Json& value, const std::string& path, std::size_t size, const char* what)
{
    if (value.is_array() && value.size() == size)
        return true;
    result_.problems.push_back(path + ": " + (value.is_array() ? "an array of " + std::to_string(value.size()) : shortDump(value))
                               + " is not " + std::to_string(size) + " " + what + "; allowed: an array of "
                               + std::to_string(size));
    return false;
}

} // namespace kestrel
