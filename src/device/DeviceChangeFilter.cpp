#include "device/DeviceChangeFilter.h"

#include <array>

namespace kestrel {

bool DeviceChangeFilter::pathNamesMouse(std::string_view devicePath)
{
    static constexpr std::array<std::string_view, 2> kFragments{"Vid_04d9&Pid_a09e", "VID_04D9&PID_A09E"};
    for (const std::string_view fragment : kFragments) {
        if (devicePath.find(fragment) != std::string_view::npos)
            return true;
    }
    return false;
}

std::optional<DeviceChange> DeviceChangeFilter::classify(std::uint32_t eventCode, std::uint32_t deviceType,
                                                         std::string_view deviceName)
{
    if (deviceType != kDeviceTypeInterface || !pathNamesMouse(deviceName))
        return std::nullopt;
    if (eventCode == kDeviceArrival)
        return DeviceChange::Arrival;
    if (eventCode == kDeviceRemoveComplete)
        return DeviceChange::Removal;
    return std::nullopt;
}

} // namespace kestrel
