#pragma once

#include "device/DeviceBroadcast.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kestrel::test {

inline constexpr std::uint32_t kArrival = 0x8000;
inline constexpr std::uint32_t kRemoveComplete = 0x8004;
inline constexpr std::uint32_t kDevNodesChanged = 0x0007;

inline constexpr std::u16string_view kMouseInterface =
    u"\\\\?\\HID#VID_04D9&PID_A09E&MI_01&Col02#8&2d1c3f7&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}";
inline constexpr std::u16string_view kOtherInterface =
    u"\\\\?\\HID#VID_046D&PID_C077#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";

// A DEV_BROADCAST_DEVICEINTERFACE_W record as Windows lays it out: size,
// device type 5 and a reserved word, the class GUID, then the UTF-16LE name
// and its zero. The stated size covers the whole record.
inline std::vector<std::uint8_t> interfaceBroadcast(std::u16string_view name)
{
    std::vector<std::uint8_t> bytes(DeviceBroadcast::kNameOffset + 2 * (name.size() + 1), 0);
    const auto putWord = [&bytes](std::size_t offset, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    putWord(0, static_cast<std::uint32_t>(bytes.size()));
    putWord(4, 5);
    for (std::size_t i = 0; i < name.size(); ++i) {
        bytes[DeviceBroadcast::kNameOffset + 2 * i] = static_cast<std::uint8_t>(name[i] & 0xFF);
        bytes[DeviceBroadcast::kNameOffset + 2 * i + 1] = static_cast<std::uint8_t>(name[i] >> 8);
    }
    return bytes;
}

} // namespace kestrel::test
