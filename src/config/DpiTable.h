#pragma once

#include <cstdint>
#include <string>

namespace kestrel {

// The DPI levels each sensor type offers: how many, their labels and the codes
// the mouse takes. Sensor types other than 0-3, and level indices at or beyond
// the sensor type's count (left over from a mouse with another sensor), have
// no label and code 0.
class DpiTable {
public:
    static constexpr int kMaxLevelCount = 12;
    // Set in a stage's code when the stage is not in use.
    static constexpr std::uint8_t kDisabledBit = 0x80;

    static int levelCount(std::uint8_t sensorType);
    static std::string label(std::uint8_t sensorType, int level);
    static std::uint8_t code(std::uint8_t sensorType, int level, bool enabled);
};

} // namespace kestrel
