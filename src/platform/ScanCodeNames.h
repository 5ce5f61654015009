#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kestrel {

// One physical key: its Linux input event code (for the main block of the
// keyboard the same number as its PC scan code) and the English name the
// platform's key-name service gives it, the name of the key name table.
struct ScanCodeName {
    std::uint32_t inputCode;
    std::string_view name;
};

// Names keys from the native scan codes of key events, as the single key
// dialog shows them: left and right modifiers apart ("Ctrl", "Right Ctrl"),
// keypad keys apart from their twins ("Num Enter", "Enter"), whatever the
// keyboard layout or lock state. The native scan code is the XKB keycode
// that Qt reports on X11 and Wayland, the input event code plus 8. A key
// outside the table has no name.
class ScanCodeNames {
public:
    static constexpr std::uint32_t kXkbOffset = 8;

    static constexpr std::uint32_t kLeftWindows = 125;
    static constexpr std::uint32_t kRightWindows = 126;

    static std::span<const ScanCodeName> table();
    // "" for a key without a name.
    static std::string_view nameOf(std::uint32_t nativeScanCode);
    static std::string_view nameOfInputCode(std::uint32_t inputCode);
    static bool isWindowsKey(std::uint32_t nativeScanCode);
};

} // namespace kestrel
