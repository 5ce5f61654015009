#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kestrel {

// Constant tables the program writes into every configuration image. Button
// records of the multimedia, Windows and hot key functions point into them.
struct DeviceTables {
    static constexpr std::size_t kConsumerUsageCount = 16;
    static constexpr std::size_t kShortcutCount = 8;

    // HID Consumer-page usages: multimedia items 0-6, then Windows items 0-8.
    static constexpr std::array<std::uint16_t, kConsumerUsageCount> kConsumerUsages{
        0x00B5, 0x00B6, 0x00B7, 0x00CD, 0x00E2, 0x00E9, 0x00EA, 0x0183,
        0x018A, 0x0192, 0x0194, 0x0221, 0x0223, 0x0224, 0x0225, 0x0227,
    };
    // Their names in the HID usage tables, in the same order.
    static constexpr std::array<std::string_view, kConsumerUsageCount> kConsumerUsageNames{
        "Scan Next Track", "Scan Previous Track", "Stop", "Play/Pause", "Mute", "Volume Increment",
        "Volume Decrement", "AL Consumer Control Configuration", "AL Email Reader", "AL Calculator",
        "AL Local Machine Browser", "AC Search", "AC Home", "AC Back", "AC Forward", "AC Refresh",
    };
    static constexpr std::uint8_t kFirstWindowsUsage = 7;

    // Hot key shortcuts as (modifier, key) keyboard usages: Left Control with
    // C, X, V, A, O, N, S, Z. A button reaches entry k through value 0x10 + k.
    static constexpr std::array<std::uint8_t, 2 * kShortcutCount> kShortcuts{
        0xE0, 0x06, 0xE0, 0x1B, 0xE0, 0x19, 0xE0, 0x04,
        0xE0, 0x12, 0xE0, 0x11, 0xE0, 0x16, 0xE0, 0x1D,
    };
    static constexpr std::uint8_t kFirstShortcutValue = 0x10;

    // The consumer usages as the image holds them: 16-bit little-endian.
    static constexpr std::array<std::uint8_t, 2 * kConsumerUsageCount> consumerUsageBytes()
    {
        std::array<std::uint8_t, 2 * kConsumerUsageCount> bytes{};
        for (std::size_t i = 0; i < kConsumerUsageCount; ++i) {
            bytes[2 * i] = static_cast<std::uint8_t>(kConsumerUsages[i] & 0xFF);
            bytes[2 * i + 1] = static_cast<std::uint8_t>(kConsumerUsages[i] >> 8);
        }
        return bytes;
    }
};

static_assert(DeviceTables::consumerUsageBytes().size() == 32);
static_assert(DeviceTables::kShortcuts.size() == 16);

} // namespace kestrel
