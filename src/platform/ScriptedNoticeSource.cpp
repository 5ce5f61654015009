#include "platform/ScriptedNoticeSource.h"

#include "platform/DeviceChangeMessage.h"

namespace kestrel {

ScriptedNoticeSource::ScriptedNoticeSource(const void* window)
    : window_(window)
{
}

int ScriptedNoticeSource::descriptor() const
{
    return -1;
}

std::vector<DeviceChange> ScriptedNoticeSource::readNotices()
{
    return {};
}

std::optional<DeviceChange> ScriptedNoticeSource::noticeOfMessage(std::string_view eventType, const void* message)
{
    if (!message)
        return std::nullopt;
    return DeviceChangeMessage::noticeOf(eventType, *static_cast<const WindowMessage*>(message), window_);
}

} // namespace kestrel
