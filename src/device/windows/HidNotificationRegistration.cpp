#include "device/windows/HidNotificationRegistration.h"

#include "device/windows/HidInterfaceClass.h"

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

} // namespace kestrel
