#include "platform/DeviceChangeMessage.h"

#include "device/DeviceBroadcast.h"

namespace kestrel {

std::optional<DeviceChange> DeviceChangeMessage::noticeOf(std::string_view eventType, const WindowMessage& message,
                                                          const void* registeredWindow)
{
    if (eventType != kWindowProcedureEvent || message.message != kDeviceChange ||
        message.window != registeredWindow)
        return std::nullopt;
    const auto notice = DeviceBroadcast::decodeMessage(message.wParam, message.lParam);
    if (!notice)
        return std::nullopt;
    return notice->kind;
}

} // namespace kestrel
