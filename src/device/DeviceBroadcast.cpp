#include "device/DeviceBroadcast.h"

#include "device/DeviceChangeFilter.h"

#include "config/Unicode.h"

#include <algorithm>
#include <cstring>

namespace kestrel {

namespace {

std::uint32_t readWord(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

std::u16string nameAt(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    std::u16string name;
    for (std::size_t i = offset; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
        if (unit == 0)
            break;
        name.push_back(unit);
    }
    return name;
}

} // namespace

std::optional<DeviceBroadcastNotice> DeviceBroadcast::decode(std::uint32_t eventCode,
                                                             std::span<const std::uint8_t> broadcast)
{
    // Never read past what the structure says it holds.
    if (broadcast.size() < kHeaderSize)
        return std::nullopt;
    const std::size_t size = std::min<std::size_t>(readWord(broadcast, 0), broadcast.size());
    if (size < kHeaderSize)
        return std::nullopt;
    const std::span<const std::uint8_t> stated = broadcast.first(size);
    const std::string name = unicode::utf8FromUtf16(nameAt(stated, kNameOffset));
    const auto kind = DeviceChangeFilter::classify(eventCode, readWord(stated, 4), name);
    if (!kind)
        return std::nullopt;
    return DeviceBroadcastNotice{*kind, name};
}

std::optional<DeviceBroadcastNotice> DeviceBroadcast::decodeMessage(std::uintptr_t wParam, std::intptr_t lParam)
{
    if ((wParam != DeviceChangeFilter::kDeviceArrival && wParam != DeviceChangeFilter::kDeviceRemoveComplete) ||
        lParam == 0)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(lParam);
    std::uint32_t statedSize = 0;
    std::memcpy(&statedSize, bytes, sizeof statedSize);
    return decode(static_cast<std::uint32_t>(wParam), std::span<const std::uint8_t>(bytes, statedSize));
}

} // namespace kestrel
