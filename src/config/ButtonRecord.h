#pragma once

#include "config/KeyGroup.h"

#include <cstdint>

namespace kestrel {

class SettingsRecord;

// The two bytes (value, type) that tell the mouse what one button does, made
// from the button's function code and the per-button value that code uses.
// Codes outside the key function list give 00 00.
struct ButtonRecord {
    // The per-button values of the settings record that a record can draw on.
    struct Values {
        std::uint8_t dpiSwitchMode = 0;
        std::uint8_t windowsIndex = 0;
        std::uint8_t mediaIndex = 0;
        std::uint8_t hotKeyIndex = 0;
        std::uint8_t fireKeyCode = 0;
        std::uint8_t fireTimes = 0;
        std::uint8_t singleKeyCode = 0;
    };

    std::uint8_t value = 0;
    std::uint8_t type = 0;

    static ButtonRecord encode(std::uint8_t functionCode, const Values& values);
    // The record of one button of one key group of the settings record.
    static ButtonRecord fromSettings(const SettingsRecord& record, KeyGroup group, int button);

    // Where the mouse keeps a button's record: buttons 3 and 4 trade slots.
    static constexpr int deviceSlot(int button) { return button == 3 ? 4 : button == 4 ? 3 : button; }

    friend bool operator==(const ButtonRecord&, const ButtonRecord&) = default;
};

} // namespace kestrel
