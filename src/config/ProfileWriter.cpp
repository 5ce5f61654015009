#include "config/ProfileWriter.h"

#include "config/KeyNames.h"
#include "config/ProfileLayout.h"
#include "config/ProfileRules.h"

namespace kestrel {

using Json = ProfileRule::Json;

Json ProfileWriter::write(const ProfileData& data)
{
    const SettingsRecord& record = data.record;
    Json doc;
    doc["format"] = std::string(profile::kFormat);
    doc["version"] = profile::kVersion;
    // Without a known sensor type the DPI levels stay level indices and the key is left out.
    if (data.sensorType)
        doc["sensor_type"] = ProfileRules::sensorType().encode(*data.sensorType);
    doc["first_run"] = ProfileRules::firstRun().encode(data.firstRunFlag);
    doc["report_rate"] = ProfileRules::reportRate().encode(record.reportRate());
    doc["shown_key_group"] = ProfileRules::keyGroup().encode(record.modeShown());
    doc["stages"] = stages(data);
    doc["snipe_dpi"] = profile::snipeCodeRule(data.sensorType).encode(record.snipeDpiCode());
    doc["lighting"] = lighting(record);
    doc["fire"] = {{"make_time", ProfileRules::fireTime().encode(record.fireMakeTime())},
                   {"break_time", ProfileRules::fireTime().encode(record.fireBreakTime())}};
    Json& buttons = doc["buttons"] = Json::array();
    for (const KeyGroup group : keygroup::kAll) {
        Json& row = buttons.emplace_back(Json::array());
        for (int b = 0; b < SettingsRecord::kButtonCount; ++b)
            row.push_back(button(data, group, b));
    }
    Json& reserved = doc["reserved"] = Json::array();
    for (const std::size_t offset : profile::kReservedOffsets)
        reserved.push_back(record.bytes()[offset]);
    return doc;
}

Json ProfileWriter::stages(const ProfileData& data)
{
    const ProfileRule dpi = ProfileRules::dpiLevel(data.sensorType);
    Json stages = Json::array();
    for (int stage = 0; stage < SettingsRecord::kStageCount; ++stage) {
        stages.push_back({{"enabled", ProfileRules::stageEnabled().encode(data.record.dpiEnabled(stage))},
                          {"dpi", dpi.encode(data.record.dpiLevel(stage))},
                          {"colour", profile::colourText(data.record.dpiColor(stage))}});
    }
    return stages;
}

Json ProfileWriter::lighting(const SettingsRecord& record)
{
    const ProfileRule& effect = ProfileRules::effect();
    return {
        {"mode", ProfileRules::lightingMode().encode(record.ledMode())},
        {"standard", {{"brightness", ProfileRules::brightness().encode(record.ledBrightness())},
                      {"effect", effect.encode(record.effect(0))}}},
        {"respiration", {{"period", ProfileRules::respirationPeriod().encode(record.ledPeriod())},
                         {"effect", effect.encode(record.effect(1))}}},
        {"neon", {{"period", ProfileRules::neonPeriod().encode(record.neonPeriod())},
                  {"effect", effect.encode(record.effect(2))}}},
    };
}

Json ProfileWriter::button(const ProfileData& data, KeyGroup group, int b)
{
    const std::uint8_t function = data.record.keyFunction(group, b);
    Json button;
    button["function"] = ProfileRules::function().encode(function);
    button.update(functionValues(data, function, group, b));
    // A caption str.ini does not have is left out rather than written blank.
    if (const std::string& caption = data.captions[keygroup::slot(group, b)];
        !caption.empty())
        button["caption"] = caption;
    Json stored;
    for (const profile::FunctionValues& other : profile::functionValues()) {
        if (toByte(other.function) != function)
            stored[std::string(other.storedName)] = functionValues(data, toByte(other.function), group, b);
    }
    button["stored"] = stored;
    return button;
}

Json ProfileWriter::functionValues(const ProfileData& data, std::uint8_t function, KeyGroup group, int b)
{
    Json values = Json::object();
    const profile::FunctionValues* of = profile::valuesOf(function);
    if (!of)
        return values;
    const ProfileRule dpi = ProfileRules::dpiLevel(data.sensorType);
    for (const profile::ButtonValue& value : of->values) {
        const std::uint8_t byte = profile::cell(data.record, value.column, group, b);
        if (value.name == profile::kFireKeyCodeName) {
            const std::uint8_t position = profile::cell(data.record, SettingsRecord::kFireKeyIndex, group, b);
            if (byte == KeyNames::fireKeyUsage(position))
                continue;
        }
        values[std::string(value.name)] = value.rule ? value.rule->encode(byte) : dpi.encode(byte);
    }
    return values;
}

} // namespace kestrel
