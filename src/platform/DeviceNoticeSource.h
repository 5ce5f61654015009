#pragma once

#include "device/DeviceChange.h"

#include <optional>
#include <string_view>
#include <vector>

namespace kestrel {

// Where the mouse's arrivals and removals come from on this platform. Either
// they wait on a descriptor, which the caller watches for readability and
// then drains (udev), or they arrive as native messages to a window, which
// the caller hands over as its GUI toolkit delivers them (device-change
// messages). Reading never blocks.
class DeviceNoticeSource {
public:
    virtual ~DeviceNoticeSource() = default;

    // -1 when the notices come as window messages.
    virtual int descriptor() const = 0;
    virtual std::vector<DeviceChange> readNotices() = 0;
    // The mouse's notice carried by a native message, if it is one; eventType
    // names the kind of message as the toolkit does.
    virtual std::optional<DeviceChange> noticeOfMessage(std::string_view eventType, const void* message) = 0;
};

} // namespace kestrel
