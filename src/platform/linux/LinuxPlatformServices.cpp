#include "platform/linux/LinuxPlatformServices.h"

#include "platform/linux/SingleInstance.h"
#include "platform/linux/UdevNoticeSource.h"

namespace kestrel {

const KeyNamer& LinuxPlatformServices::keyNamer() const
{
    return keyNamer_;
}

bool LinuxPlatformServices::reportsWindows62() const
{
    return false;
}

std::unique_ptr<InstanceLock> LinuxPlatformServices::makeInstanceLock(const std::string& instanceName) const
{
    return std::make_unique<SingleInstance>(instanceName);
}

std::unique_ptr<DeviceNoticeSource> LinuxPlatformServices::openDeviceNotices(const NativeWindow&) const
{
    // udev needs no window.
    return UdevNoticeSource::create();
}

HotplugPolicy::Mode LinuxPlatformServices::hotplugPolicyMode() const
{
    // udev announces each hidraw node once, however many the mouse has.
    return HotplugPolicy::Mode::Burst;
}

bool LinuxPlatformServices::noticesComeAsWindowMessages() const
{
    // udev hears of the devices from the kernel only.
    return false;
}

} // namespace kestrel
