#pragma once

#include <array>
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

// Every status report starts with the report ID and the 4-byte signature.
inline constexpr std::uint8_t kStatusReportId = 0x01;
inline constexpr std::array<std::uint8_t, 4> kStatusSignature{0xAA, 0xCC, 0xEE, 0xDD};

} // namespace kestrel::mouse
