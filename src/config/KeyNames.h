#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kestrel {

// A display name and the keyboard usage the mouse sends for it.
struct KeyEntry {
    std::string_view name;
    std::uint8_t usage;
};

// The key name table (names the platform gives keys on an English layout,
// plus the mouse buttons) and the fire key list, both in display order.
// Usages are HID Keyboard-page codes, with 0xF0-0xF4 for the mouse buttons.
class KeyNames {
public:
    static constexpr std::size_t kKeyNameCount = 107;
    static constexpr std::size_t kFireKeyCount = 59;

    static std::span<const KeyEntry, kKeyNameCount> keyNameTable();
    static std::span<const KeyEntry, kFireKeyCount> fireKeyList();

    // Exact, case-sensitive match against the key name table; 0 when no name matches.
    static std::uint8_t keyUsageFromName(std::string_view name);
    // The name of the first table entry with this usage; empty when there is none.
    static std::string_view keyNameFromUsage(std::uint8_t usage);
    // The usage of fire key list position 0-58; 0 for any later position.
    static std::uint8_t fireKeyUsage(std::size_t position);
};

} // namespace kestrel
