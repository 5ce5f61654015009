#include "platform/windows/WindowsPlatformServices.h"

#include "platform/WindowsVersion.h"
#include "platform/windows/NamedMutexLock.h"
#include "platform/windows/WindowsDeviceNotices.h"

#include "config/Unicode.h"

#include <array>

#include <windows.h>

namespace kestrel {

namespace {

std::string systemKeyName(std::int32_t keystroke)
{
    // 32 characters as the key dialog always asked, so at most 31 of them.
    std::array<wchar_t, 32> buffer{};
    const int length = GetKeyNameTextW(keystroke, buffer.data(), static_cast<int>(buffer.size()));
    if (length <= 0)
        return {};
    return unicode::utf8FromUtf16(std::u16string(buffer.begin(), buffer.begin() + length));
}

} // namespace

WindowsPlatformServices::WindowsPlatformServices()
    : keyNamer_(systemKeyName)
{
}

const KeyNamer& WindowsPlatformServices::keyNamer() const
{
    return keyNamer_;
}

bool WindowsPlatformServices::reportsWindows62() const
{
    // The version as this executable's manifest lets the system report it.
    return WindowsVersion::is62(static_cast<std::uint32_t>(GetVersion()));
}

std::unique_ptr<InstanceLock> WindowsPlatformServices::makeInstanceLock(const std::string&) const
{
    // The mutex has one fixed name; copies do not talk through it, so the
    // instance socket plays no part.
    return std::make_unique<NamedMutexLock>();
}

std::unique_ptr<DeviceNoticeSource> WindowsPlatformServices::openDeviceNotices(const NativeWindow& window) const
{
    return WindowsDeviceNotices::registerWindow(window());
}

HotplugPolicy::Mode WindowsPlatformServices::hotplugPolicyMode() const
{
    // The device-interface notices come four per plug or unplug.
    return HotplugPolicy::Mode::Counter;
}

bool WindowsPlatformServices::noticesComeAsWindowMessages() const
{
    // Device-change messages to the main window.
    return true;
}

} // namespace kestrel
