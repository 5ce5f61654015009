#include "HidNotificationRegistration.h"

#include "DeviceChangeFilter.h"
#include "HidInterfaceClass.h"
#include "WideText.h"

#include <cstddef>
#include <cwchar>

#include <windows.h>
#include <dbt.h>

namespace kestrel {

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

std::optional<DeviceChange> HidNotificationRegistration::noticeOf(std::uintptr_t wParam, std::intptr_t lParam)
{
    // Only these two events carry a broadcast header in lParam.
    if ((wParam != DeviceChangeFilter::kDeviceArrival && wParam != DeviceChangeFilter::kDeviceRemoveComplete) ||
        lParam == 0)
        return std::nullopt;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if (header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE)
        return std::nullopt;
    // The name fills the rest of the structure; never read past its stated size.
    const auto* broadcast = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header);
    constexpr std::size_t kNameOffset = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    const std::size_t nameCapacity =
        header->dbch_size > kNameOffset ? (header->dbch_size - kNameOffset) / sizeof(wchar_t) : 0;
    const std::wstring_view name(broadcast->dbcc_name, wcsnlen(broadcast->dbcc_name, nameCapacity));
    return DeviceChangeFilter::classify(static_cast<std::uint32_t>(wParam), header->dbch_devicetype, toUtf8(name));
}

} // namespace kestrel
