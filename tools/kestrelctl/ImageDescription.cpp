#include "ImageDescription.h"

#include "config/ButtonRecord.h"
#include "config/DeviceTables.h"
#include "config/DpiTable.h"
#include "config/KeyNames.h"
#include "config/LightingTexts.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

namespace kestrel::ctl {

namespace {

constexpr std::uint8_t kDisabledBit = 0x80;

std::string hexByte(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFFu);
    return text;
}

std::string reportRateText(std::uint8_t code)
{
    switch (code) {
    case 1: return "1000 Hz";
    case 2: return "500 Hz";
    case 4: return "250 Hz";
    case 8: return "125 Hz";
    default: return "unknown (code " + hexByte(code) + ")";
    }
}

std::string keyName(std::uint8_t usage)
{
    const std::string_view name = KeyNames::keyNameFromUsage(usage);
    return name.empty() ? "usage " + hexByte(usage) : std::string(name);
}

std::string fireKeyName(std::uint8_t usage)
{
    for (const KeyEntry& entry : KeyNames::fireKeyList())
        if (entry.usage == usage)
            return std::string(entry.name);
    return keyName(usage);
}

} // namespace

ImageDescription::ImageDescription(const ConfigImage& image)
    : image_(image)
{
}

void ImageDescription::print(std::ostream& out) const
{
    const auto page4 = image_.page(4);
    out << "Report rate: " << reportRateText(image_.usbReportRate()) << '\n';
    out << "Current DPI stage: " << int(image_.sensorDpiStage()) << '\n';
    out << "Sensor type: " << int(image_.sensorType()) << '\n';
    printStages(out);
    out << "Snipe DPI: " << dpiText(page4[ConfigImage::kPage4SnipeDpiCode]) << '\n';
    printLighting(out);
    out << "Fire key: make time " << int(page4[ConfigImage::kPage4FireMakeTime]) << ", break time "
        << int(page4[ConfigImage::kPage4FireBreakTime]) << '\n';
    printButtons(out);
}

void ImageDescription::printStages(std::ostream& out) const
{
    const auto page4 = image_.page(4);
    const auto colours = image_.page(5).subspan(ConfigImage::kPage5DpiColours, ConfigImage::kPage5DpiColoursSize);
    out << "DPI stages: " << int(page4[ConfigImage::kPage4StageCount]) << " enabled\n";
    std::size_t colour = 0;
    for (int stage = 0; stage < 4; ++stage) {
        const std::uint8_t code = page4[ConfigImage::kPage4DpiCodes + stage];
        out << "  Stage " << stage + 1 << ": " << dpiText(code);
        if (code & kDisabledBit) {
            out << ", disabled\n";
            continue;
        }
        char rgb[16];
        std::snprintf(rgb, sizeof rgb, "#%02X%02X%02X", colours[colour], colours[colour + 1], colours[colour + 2]);
        out << ", colour " << rgb << '\n';
        colour = std::min(colour + 3, colours.size() - 3);
    }
}

void ImageDescription::printLighting(std::ostream& out) const
{
    const auto page4 = image_.page(4);
    const std::uint8_t mode = page4[ConfigImage::kPage4LedMode];
    const std::uint8_t parameter = page4[ConfigImage::kPage4LedParameter];
    out << "Lighting: ";
    switch (mode) {
    case 0: out << "Off\n"; return;
    case 1: out << "Standard, brightness " << LightingTexts::standardParameter(parameter); break;
    case 2: out << "Respiration, period " << LightingTexts::respirationParameter(parameter); break;
    default: out << "unknown mode " << hexByte(mode); break;
    }
    out << " (parameter " << int(parameter) << ")\n";
}

void ImageDescription::printButtons(std::ostream& out) const
{
    const auto page3 = image_.page(3);
    for (const KeyGroup group : keygroup::kAll) {
        out << "Key group " << keygroup::number(group) << (group == KeyGroup::ModeA ? " (Mode A):\n" : " (Mode B):\n");
        for (int button = 0; button < keygroup::kButtonCount; ++button) {
            const std::size_t at = ConfigImage::page3Buttons(group) + 2 * ButtonRecord::deviceSlot(button);
            out << "  Button " << button + 1 << ": " << describeButton(page3[at], page3[at + 1]) << '\n';
        }
    }
}

std::string ImageDescription::describeButton(std::uint8_t value, std::uint8_t type) const
{
    if (type & 0x80) {
        const int count = type & 0x7F;
        return "Fire Key " + fireKeyName(value) + ", "
            + (count == 0 ? std::string("repeats while held") : std::to_string(count) + " times");
    }
    if (type == 0x00) {
        switch (value) {
        case 0x00: return "Key Off";
        case 0xF0: return "Left Click";
        case 0xF1: return "Right Click";
        case 0xF2: return "Mid Click";
        case 0xF3: return "Backward";
        case 0xF4: return "Forward";
        default: return "Single Key " + keyName(value);
        }
    }
    if (type == 0x02) {
        if (value < DeviceTables::kConsumerUsageCount)
            return describeConsumerEntry(value);
        if (value >= DeviceTables::kFirstShortcutValue
            && value < DeviceTables::kFirstShortcutValue + DeviceTables::kShortcutCount)
            return "HotKey " + describeShortcut(value - DeviceTables::kFirstShortcutValue);
    }
    if (type == 0x03) {
        switch (value) {
        case 0x03: return "DPI +";
        case 0x04: return "DPI -";
        case 0x05: return "DPI Loop";
        case 0x06: return "Shift";
        case 0x0A: return "Snipe Key";
        default: break;
        }
    }
    return "unknown record " + hexByte(value) + " " + hexByte(type);
}

std::string ImageDescription::describeConsumerEntry(std::uint8_t index) const
{
    const auto table = image_.page(4).subspan(ConfigImage::kPage4ConsumerUsages + 2u * index, 2);
    const std::uint16_t usage = static_cast<std::uint16_t>(table[0] | (table[1] << 8));
    const char* kind = index < DeviceTables::kFirstWindowsUsage ? "Multimedia " : "Windows ";
    for (std::size_t i = 0; i < DeviceTables::kConsumerUsageCount; ++i)
        if (DeviceTables::kConsumerUsages[i] == usage)
            return kind + std::string(DeviceTables::kConsumerUsageNames[i]);
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", usage);
    return kind + std::string("consumer usage ") + text;
}

std::string ImageDescription::describeShortcut(std::uint8_t entry) const
{
    const auto pair = image_.page(5).subspan(ConfigImage::kPage5Shortcuts + 2u * entry, 2);
    return keyName(pair[0]) + "+" + keyName(pair[1]);
}

std::string ImageDescription::dpiText(std::uint8_t code) const
{
    const std::uint8_t sensor = image_.sensorType();
    for (int level = 0; level < DpiTable::levelCount(sensor); ++level)
        if (DpiTable::code(sensor, level, true) == (code & ~kDisabledBit))
            return DpiTable::label(sensor, level) + " DPI";
    return "code " + hexByte(code);
}

} // namespace kestrel::ctl
