#include "config/DpiTable.h"

#include <array>
#include <string_view>

namespace kestrel {

namespace {
struct SensorLevels {
    int count;
    std::array<std::string_view, DpiTable::kMaxLevelCount> labels;
    std::array<std::uint8_t, DpiTable::kMaxLevelCount> codes;
};

// Indexed by sensor type.
constexpr std::array<SensorLevels, 4> kSensors{{
    {12,
     {"250", "500", "750", "1000", "1250", "1500", "1750", "2000", "2500", "3000", "3500", "4000"},
     {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x25, 0x26, 0x27, 0x28}},
    {8,
     {"600", "800", "1000", "1200", "1600", "2000", "2400", "3200"},
     {0x01, 0x02, 0x03, 0x04, 0x05, 0x23, 0x24, 0x25}},
    {8,
     {"250", "500", "750", "1000", "1250", "1500", "2000", "2500"},
     {0x02, 0x04, 0x06, 0x08, 0x0A, 0x26, 0x28, 0x2A}},
    {8,
     {"400", "800", "1200", "1600", "2000", "2400", "2800", "3200"},
     {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}},
}};

constexpr bool hasLevel(std::uint8_t sensorType, int level)
{
    return sensorType < kSensors.size() && level >= 0 && level < kSensors[sensorType].count;
}
} // namespace

int DpiTable::levelCount(std::uint8_t sensorType)
{
    return sensorType < kSensors.size() ? kSensors[sensorType].count : 0;
}

std::string DpiTable::label(std::uint8_t sensorType, int level)
{
    if (!hasLevel(sensorType, level)) {
        return {};
    }
    return std::string(kSensors[sensorType].labels[static_cast<std::size_t>(level)]);
}

std::uint8_t DpiTable::code(std::uint8_t sensorType, int level, bool enabled)
{
    const std::uint8_t tableCode =
        hasLevel(sensorType, level) ? kSensors[sensorType].codes[static_cast<std::size_t>(level)] : 0;
    return enabled ? tableCode : static_cast<std::uint8_t>(tableCode | kDisabledBit);
}

} // namespace kestrel
