#include "config/ProfileLayout.h"

#include "config/DpiTable.h"
#include "config/ProfileRules.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace kestrel::profile {

namespace {

using R = SettingsRecord;

const std::array<ButtonValue, 1> kDpiSwitch{{{"mode", R::kDpiSwitchMode, &ProfileRules::dpiSwitchMode()}}};
const std::array<ButtonValue, 1> kWindows{{{"item", R::kWindowsIndex, &ProfileRules::windowsItem()}}};
const std::array<ButtonValue, 1> kMultimedia{{{"item", R::kMediaIndex, &ProfileRules::multimediaItem()}}};
const std::array<ButtonValue, 1> kHotKey{{{"item", R::kHotKeyIndex, &ProfileRules::hotKeyItem()}}};
const std::array<ButtonValue, 3> kFireKey{{
    {"key", R::kFireKeyIndex, &ProfileRules::fireKey()},
    {"times", R::kFireTimes, &ProfileRules::fireTimes()},
    {kFireKeyCodeName, R::kFireKeyCode, &ProfileRules::fireKeyCode()},
}};
const std::array<ButtonValue, 1> kSingleKey{{{"key", R::kSingleKeyCode, &ProfileRules::singleKey()}}};
const std::array<ButtonValue, 1> kSnipeKey{{{"dpi", R::kSnipeIndex, nullptr}}};

const std::array<FunctionValues, 7> kFunctionValues{{
    {KeyFunctionCode::DpiSwitch, "dpi_switch", kDpiSwitch},
    {KeyFunctionCode::Windows, "windows", kWindows},
    {KeyFunctionCode::Multimedia, "multimedia", kMultimedia},
    {KeyFunctionCode::HotKey, "hot_key", kHotKey},
    {KeyFunctionCode::FireKey, "fire_key", kFireKey},
    {KeyFunctionCode::SingleKey, "single_key", kSingleKey},
    {KeyFunctionCode::SnipeKey, "snipe_key", kSnipeKey},
}};

} // namespace

std::span<const FunctionValues> functionValues() { return kFunctionValues; }

const FunctionValues* valuesOf(std::uint8_t functionCode)
{
    const auto found = std::find_if(kFunctionValues.begin(), kFunctionValues.end(),
                                    [functionCode](const FunctionValues& f) { return toByte(f.function) == functionCode; });
    return found == kFunctionValues.end() ? nullptr : &*found;
}

ProfileRule snipeCodeRule(std::optional<std::uint8_t> sensorType)
{
    if (!sensorType)
        return ProfileRule("a snipe DPI without a sensor type", {},
                           R"({"byte": N} with the mouse's snipe DPI code, or "sensor_type" for a DPI value)");
    std::vector<ProfileRule::Choice> choices;
    for (int level = 0; level < DpiTable::levelCount(*sensorType); ++level)
        choices.push_back({std::stoi(DpiTable::label(*sensorType, level)), DpiTable::code(*sensorType, level, true)});
    return ProfileRule("a DPI of sensor type " + std::to_string(*sensorType), std::move(choices));
}

std::string colourText(Rgb colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.r, colour.g, colour.b);
    return text;
}

} // namespace kestrel::profile
