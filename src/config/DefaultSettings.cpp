#include "config/DefaultSettings.h"

#include "config/DpiTable.h"
#include "config/KeyFunctionCode.h"
#include "config/KeyNames.h"

#include <array>

namespace kestrel {

namespace {
constexpr std::array<KeyFunctionCode, SettingsRecord::kButtonCount> kDefaultFunctions{
    KeyFunctionCode::LeftClick, KeyFunctionCode::RightClick, KeyFunctionCode::MidClick,
    KeyFunctionCode::Forward,   KeyFunctionCode::Backward,   KeyFunctionCode::DpiSwitch,
    KeyFunctionCode::DpiSwitch, KeyFunctionCode::KeyOff,
};
constexpr int kDpiUpButton = 5;
constexpr int kDpiDownButton = 6;

constexpr std::uint8_t kReportRate1000Hz = 1;
constexpr std::uint8_t kLedStandard = 1;
constexpr std::uint8_t kBrightness75Percent = 7;
constexpr std::uint8_t kPeriod6Seconds = 2;
constexpr std::uint8_t kEffectRgb = 1;

// Every second level, so that the stages spread over the 8-level scales and
// stay valid whatever the sensor type.
constexpr std::array<std::uint8_t, SettingsRecord::kStageCount> kStageLevels{1, 3, 5, 7};
constexpr std::array<Rgb, SettingsRecord::kStageCount> kStageColours{{
    {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0},
}};

// The fire key dialog's own starting values: left button, once, 32 ms each way.
constexpr std::uint8_t kFireKeyPosition = 0;
constexpr std::uint8_t kFireTimes = 1;
constexpr std::uint8_t kFireTiming = 32;

// A low snipe DPI: "800" of sensor type 1.
constexpr std::uint8_t kSnipeSensorType = 1;
constexpr int kSnipeLevel = 1;

void setDefaultStages(SettingsRecord& record)
{
    for (int stage = 0; stage < SettingsRecord::kStageCount; ++stage) {
        const auto index = static_cast<std::size_t>(stage);
        record.setDpiLevel(stage, kStageLevels[index]);
        record.setDpiEnabled(stage, 1);
        record.setDpiColor(stage, kStageColours[index]);
    }
}

void setDefaultLighting(SettingsRecord& record)
{
    record.setLedMode(kLedStandard);
    record.setLedBrightness(kBrightness75Percent);
    record.setLedPeriod(kPeriod6Seconds);
    record.setEffect(0, kEffectRgb);
    record.setEffect(1, kEffectRgb);
}

// Values the sub-dialogs would store, so that a button switched to their
// function before the dialog is confirmed still sends something sensible.
void setDefaultButtonValues(SettingsRecord& record, KeyGroup group, int button)
{
    record.setDpiSwitchMode(group, button, toByte(DpiSwitchMode::Loop));
    record.setSnipeIndex(group, button, kSnipeLevel);
    record.setFireKeyIndex(group, button, kFireKeyPosition);
    record.setFireKeyCode(group, button, KeyNames::fireKeyUsage(kFireKeyPosition));
    record.setFireTimes(group, button, kFireTimes);
}
} // namespace

SettingsRecord defaultSettingsRecord()
{
    SettingsRecord record;
    record.setReportRate(kReportRate1000Hz);
    setDefaultStages(record);
    setDefaultLighting(record);
    record.setShownGroup(KeyGroup::ModeA);
    record.setFireMakeTime(kFireTiming);
    record.setFireBreakTime(kFireTiming);
    record.setSnipeDpiCode(DpiTable::code(kSnipeSensorType, kSnipeLevel, true));
    for (const KeyGroup group : keygroup::kAll) {
        for (int button = 0; button < SettingsRecord::kButtonCount; ++button) {
            setDefaultButtonValues(record, group, button);
        }
    }
    defaultKeyFunctions(record);
    return record;
}

void defaultKeyFunctions(SettingsRecord& record)
{
    for (const KeyGroup group : keygroup::kAll) {
        for (int button = 0; button < SettingsRecord::kButtonCount; ++button) {
            record.setKeyFunction(group, button, toByte(kDefaultFunctions[static_cast<std::size_t>(button)]));
        }
        record.setDpiSwitchMode(group, kDpiUpButton, toByte(DpiSwitchMode::Up));
        record.setDpiSwitchMode(group, kDpiDownButton, toByte(DpiSwitchMode::Down));
    }
}

} // namespace kestrel
