#pragma once

#include "platform/PlatformServices.h"
#include "platform/XkbKeyNamer.h"

namespace kestrel {

// udev notices, one per hidraw node; XKB keycodes; never Windows 6.2; the
// instance socket in the abstract namespace as the single-instance lock.
class LinuxPlatformServices final : public PlatformServices {
public:
    const KeyNamer& keyNamer() const override;
    bool reportsWindows62() const override;
    std::unique_ptr<InstanceLock> makeInstanceLock(const std::string& instanceName) const override;
    std::unique_ptr<DeviceNoticeSource> openDeviceNotices(const NativeWindow& window) const override;
    HotplugPolicy::Mode hotplugPolicyMode() const override;
    bool noticesComeAsWindowMessages() const override;

private:
    XkbKeyNamer keyNamer_;
};

} // namespace kestrel
