#pragma once

#include "platform/PlatformServices.h"
#include "platform/Set1KeyNamer.h"

namespace kestrel {

// Device-change messages to the main window, four per plug or unplug; set-1
// scan codes named from the key name table and GetKeyNameTextW; GetVersion;
// the named mutex.
class WindowsPlatformServices final : public PlatformServices {
public:
    WindowsPlatformServices();

    const KeyNamer& keyNamer() const override;
    bool reportsWindows62() const override;
    std::unique_ptr<InstanceLock> makeInstanceLock(const std::string& instanceName) const override;
    std::unique_ptr<DeviceNoticeSource> openDeviceNotices(const NativeWindow& window) const override;
    HotplugPolicy::Mode hotplugPolicyMode() const override;
    bool noticesComeAsWindowMessages() const override;

private:
    Set1KeyNamer keyNamer_;
};

} // namespace kestrel
