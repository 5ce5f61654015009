#include "platform/windows/WindowsDeviceNotices.h"

#include "platform/DeviceChangeMessage.h"

#include <utility>

#include <windows.h>

namespace kestrel {

std::unique_ptr<DeviceNoticeSource> WindowsDeviceNotices::registerWindow(void* window)
{
    auto registration = HidNotificationRegistration::registerWindow(window);
    if (!registration)
        return nullptr;
    return std::unique_ptr<DeviceNoticeSource>(new WindowsDeviceNotices(window, std::move(registration)));
}

WindowsDeviceNotices::WindowsDeviceNotices(void* window, std::unique_ptr<HidNotificationRegistration> registration)
    : window_(window)
    , registration_(std::move(registration))
{
}

int WindowsDeviceNotices::descriptor() const
{
    return -1;
}

std::vector<DeviceChange> WindowsDeviceNotices::readNotices()
{
    return {};
}

std::optional<DeviceChange> WindowsDeviceNotices::noticeOfMessage(std::string_view eventType, const void* message)
{
    if (eventType != DeviceChangeMessage::kWindowProcedureEvent || !message)
        return std::nullopt;
    const MSG& native = *static_cast<const MSG*>(message);
    const WindowMessage plain{native.hwnd, native.message, native.wParam, native.lParam};
    return DeviceChangeMessage::noticeOf(eventType, plain, window_);
}

} // namespace kestrel
