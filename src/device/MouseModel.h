#pragma once

#include <cstdint>

namespace kestrel::mouse {

// The one mouse model the program serves and the two HID collections it
// talks to (both on the Generic Desktop usage page).
inline constexpr std::uint16_t kVendorId = 0x04D9;
inline constexpr std::uint16_t kProductId = 0xA09E;
inline constexpr std::uint16_t kGenericDesktopPage = 0x01;
inline constexpr std::uint16_t kStatusUsage = 0x06;
inline constexpr std::uint16_t kStatusReportLength = 8;
inline constexpr std::uint16_t kDataUsage = 0x02;
inline constexpr std::uint16_t kDataReportLength = 65;

} // namespace kestrel::mouse
