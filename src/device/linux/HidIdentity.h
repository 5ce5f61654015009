#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kestrel {

// Bus, vendor and product of a HID device as the kernel reports them in the
// HID_ID property ("0003:000004D9:0000A09E").
struct HidIdentity {
    std::uint16_t bus = 0;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;

    // Null for anything but three colon-separated hex fields of 16-bit values.
    static std::optional<HidIdentity> fromHidId(std::string_view value);
    // The HID_ID line of a uevent file ("KEY=VALUE" lines).
    static std::optional<HidIdentity> fromUevent(std::string_view uevent);

    bool isMouse() const;
};

} // namespace kestrel
