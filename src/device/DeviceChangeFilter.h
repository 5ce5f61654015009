#pragma once

#include "device/DeviceChange.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrel {

// Picks the mouse's notices out of the Windows device-change messages: only
// interface arrivals and completed removals whose device name carries one of
// the two exact spellings of the mouse's vendor and product (the match is
// case-sensitive, so other spellings are ignored).
class DeviceChangeFilter {
public:
    static constexpr std::uint32_t kDeviceArrival = 0x8000;
    static constexpr std::uint32_t kDeviceRemoveComplete = 0x8004;
    static constexpr std::uint32_t kDeviceTypeInterface = 5;

    static bool pathNamesMouse(std::string_view devicePath);
    static std::optional<DeviceChange> classify(std::uint32_t eventCode, std::uint32_t deviceType,
                                                std::string_view deviceName);
};

} // namespace kestrel
