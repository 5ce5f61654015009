#pragma once

#include "device/DeviceBroadcast.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace kestrel {

// Device-interface notices of the HID class delivered to one window
// (WM_DEVICECHANGE), for as long as the object lives.
class HidNotificationRegistration {
public:
    // Null when the platform refused; window is the HWND.
    static std::unique_ptr<HidNotificationRegistration> registerWindow(void* window);
    ~HidNotificationRegistration();
    HidNotificationRegistration(const HidNotificationRegistration&) = delete;
    HidNotificationRegistration& operator=(const HidNotificationRegistration&) = delete;

private:
    explicit HidNotificationRegistration(void* notification);

    void* notification_;
};

} // namespace kestrel
