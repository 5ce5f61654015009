#pragma once

#include <cstdint>
#include <string>

namespace kestrel {

// Names the key of a key event from the native scan code the window system
// reports, in the spelling of the key name table, so that a key pressed in
// the single key dialog turns into the usage the mouse sends for it.
class KeyNamer {
public:
    virtual ~KeyNamer() = default;

    // "" for a key without a name.
    virtual std::string nameOf(std::uint32_t nativeScanCode) const = 0;
    // The left and right Windows keys, which the key dialog keeps from its window.
    virtual bool isWindowsKey(std::uint32_t nativeScanCode) const = 0;
};

} // namespace kestrel
