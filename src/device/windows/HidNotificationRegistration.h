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

    // The mouse's arrival or removal carried by a WM_DEVICECHANGE message, if any.
    static std::optional<DeviceBroadcastNotice> noticeOf(std::uintptr_t wParam, std::intptr_t lParam);

private:
    explicit HidNotificationRegistration(void* notification);

    void* notification_;
};

} // namespace kestrel
