#pragma once

#include "device/DeviceChange.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kestrel {

// A notice of the mouse carried by a Windows device-change message.
struct DeviceBroadcastNotice {
    DeviceChange kind;
    std::string deviceName;  // UTF-8
};

// Reads the device-interface broadcast that comes with a device-change
// message from its bytes, so that the decoding is the same, and testable, on
// every platform. The layout is DEV_BROADCAST_DEVICEINTERFACE_W: the size,
// device type and a reserved word (32-bit little-endian each), the interface
// class GUID, then the UTF-16 device name, ended by a zero or by the size the
// structure states, whichever comes first.
class DeviceBroadcast {
public:
    static constexpr std::size_t kHeaderSize = 12;
    static constexpr std::size_t kNameOffset = 28;

    // The mouse's arrival or removal, or nullopt for any other notice.
    static std::optional<DeviceBroadcastNotice> decode(std::uint32_t eventCode, std::span<const std::uint8_t> broadcast);

    // The same from a device-change message's parameters: wParam is the
    // event, lParam the address of the broadcast (for arrivals and completed
    // removals only), whose first 32-bit word states its size. Nothing
    // beyond that size is read.
    static std::optional<DeviceBroadcastNotice> decodeMessage(std::uintptr_t wParam, std::intptr_t lParam);
};

} // namespace kestrel
