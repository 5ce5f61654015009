#pragma once

#include <cstdint>

namespace kestrel {

// What a mouse button does: the row of the key function list, stored as one
// byte per button in the settings record.
enum class KeyFunctionCode : std::uint8_t {
    LeftClick = 0,
    RightClick = 1,
    MidClick = 2,
    Forward = 3,
    Backward = 4,
    DpiSwitch = 5,
    Windows = 6,
    Multimedia = 7,
    HotKey = 8,
    FireKey = 9,
    SingleKey = 10,
    SnipeKey = 11,
    KeyOff = 12,
    Shift = 13,
};

inline constexpr int kKeyFunctionCount = 14;

// How a "DPI Switch" button moves through the stages.
enum class DpiSwitchMode : std::uint8_t {
    Up = 3,
    Down = 4,
    Loop = 5,
};

constexpr std::uint8_t toByte(KeyFunctionCode code) { return static_cast<std::uint8_t>(code); }
constexpr std::uint8_t toByte(DpiSwitchMode mode) { return static_cast<std::uint8_t>(mode); }

} // namespace kestrel
