#pragma once

#include "platform/PlatformServices.h"
#include "platform/XkbKeyNamer.h"

namespace kestrel {

// The platform as a test sets it up: XKB key names (what test key events
// carry), the version test's answer, the lock's outcome, whether notices can
// be had, and notices that come as window messages, counted as on Windows
// unless the test chooses otherwise.
class ScriptedPlatformServices final : public PlatformServices {
public:
    const KeyNamer& keyNamer() const override;
    bool reportsWindows62() const override;
    std::unique_ptr<InstanceLock> makeInstanceLock(const std::string& instanceName) const override;
    std::unique_ptr<DeviceNoticeSource> openDeviceNotices(const NativeWindow& window) const override;
    HotplugPolicy::Mode hotplugPolicyMode() const override;
    bool noticesComeAsWindowMessages() const override;

    bool windows62 = false;
    InstanceLock::Outcome lockOutcome = InstanceLock::Outcome::Acquired;
    bool noticesRefused = false;
    HotplugPolicy::Mode policyMode = HotplugPolicy::Mode::Counter;
    bool noticesAsWindowMessages = true;

private:
    XkbKeyNamer keyNamer_;
};

} // namespace kestrel
