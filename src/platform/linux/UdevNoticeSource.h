#pragma once

#include "device/linux/UdevHotplugSource.h"
#include "platform/DeviceNoticeSource.h"

#include <memory>

namespace kestrel {

// The mouse's hidraw arrivals and removals from udev, waiting on the monitor's socket.
class UdevNoticeSource final : public DeviceNoticeSource {
public:
    // Null when udev cannot be watched.
    static std::unique_ptr<DeviceNoticeSource> create();

    int descriptor() const override;
    std::vector<DeviceChange> readNotices() override;
    std::optional<DeviceChange> noticeOfMessage(std::string_view eventType, const void* message) override;

private:
    explicit UdevNoticeSource(std::unique_ptr<UdevHotplugSource> source);

    std::unique_ptr<UdevHotplugSource> source_;
};

} // namespace kestrel
