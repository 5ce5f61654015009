#pragma once

#include "device/windows/HidNotificationRegistration.h"
#include "platform/DeviceNoticeSource.h"

#include <memory>

namespace kestrel {

// HID device-interface notices delivered to one window as device-change
// messages, for as long as the object lives.
class WindowsDeviceNotices final : public DeviceNoticeSource {
public:
    // Null when the system refused the registration; window is the HWND.
    static std::unique_ptr<DeviceNoticeSource> registerWindow(void* window);

    int descriptor() const override;
    std::vector<DeviceChange> readNotices() override;
    // message is the MSG Qt hands to native event filters.
    std::optional<DeviceChange> noticeOfMessage(std::string_view eventType, const void* message) override;

private:
    WindowsDeviceNotices(void* window, std::unique_ptr<HidNotificationRegistration> registration);

    void* window_;
    std::unique_ptr<HidNotificationRegistration> registration_;
};

} // namespace kestrel
