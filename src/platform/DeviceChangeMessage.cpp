#include "platform/DeviceChangeMessage.h"

#include "device/DeviceBroadcast.h"
#include "device/DeviceChangeFilter.h"

#include <cstring>
#include <span>

namespace kestrel {

std::optional<DeviceChange> DeviceChangeMessage::noticeOf(std::string_view eventType, const WindowMessage& message,
                                                          const void* registeredWindow)
{
    if (eventType != kWindowProcedureEvent || message.message != kDeviceChange ||
        message.window != registeredWindow)
        return std::nullopt;
    // Only arrivals and completed removals carry a broadcast in lParam.
    if ((message.wParam != DeviceChangeFilter::kDeviceArrival &&
         message.wParam != DeviceChangeFilter::kDeviceRemoveComplete) ||
        message.lParam == 0)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(message.lParam);
    // The broadcast states its own size in its first 32-bit word; nothing
    // beyond it is read.
    std::uint32_t statedSize = 0;
    std::memcpy(&statedSize, bytes, sizeof statedSize);
    const std::span<const std::uint8_t> broadcast(bytes, statedSize);
    const auto notice = DeviceBroadcast::decode(static_cast<std::uint32_t>(message.wParam), broadcast);
    if (!notice)
        return std::nullopt;
    return notice->kind;
}

} // namespace kestrel
