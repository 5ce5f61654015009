#include "device/windows/HidNotificationRegistration.h"

#include "device/DeviceChangeFilter.h"
#include "device/windows/HidInterfaceClass.h"

#include <algorithm>
#include <cstddef>

#include <windows.h>
#include <dbt.h>

namespace kestrel {

static_assert(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) == DeviceBroadcast::kNameOffset);
static_assert(sizeof(DEV_BROADCAST_HDR) == DeviceBroadcast::kHeaderSize);

std::unique_ptr<HidNotificationRegistration> HidNotificationRegistration::registerWindow(void* window)
{
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kHidInterfaceClass;
    HDEVNOTIFY notification =
        RegisterDeviceNotificationW(static_cast<HWND>(window), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!notification)
        return nullptr;
    return std::unique_ptr<HidNotificationRegistration>(new HidNotificationRegistration(notification));
}

HidNotificationRegistration::HidNotificationRegistration(void* notification)
    : notification_(notification)
{
}

HidNotificationRegistration::~HidNotificationRegistration()
{
    UnregisterDeviceNotification(notification_);
}

std::optional<DeviceBroadcastNotice> HidNotificationRegistration::noticeOf(std::uintptr_t wParam,
                                                                         std::intptr_t lParam)
{
    // Only these two events carry a broadcast structure in lParam.
    if ((wParam != DeviceChangeFilter::kDeviceArrival && wParam != DeviceChangeFilter::kDeviceRemoveComplete) ||
        lParam == 0)
        return std::nullopt;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    const std::span<const std::uint8_t> broadcast(reinterpret_cast<const std::uint8_t*>(header),
                                                  std::max<std::size_t>(header->dbch_size, sizeof *header));
    return DeviceBroadcast::decode(static_cast<std::uint32_t>(wParam), broadcast);
}

} // namespace kestrel
