#include "platform/ScriptedPlatformServices.h"

#include "platform/ScriptedInstanceLock.h"
#include "platform/ScriptedNoticeSource.h"

namespace kestrel {

const KeyNamer& ScriptedPlatformServices::keyNamer() const
{
    return keyNamer_;
}

bool ScriptedPlatformServices::reportsWindows62() const
{
    return windows62;
}

std::unique_ptr<InstanceLock> ScriptedPlatformServices::makeInstanceLock(const std::string&) const
{
    return std::make_unique<ScriptedInstanceLock>(lockOutcome);
}

std::unique_ptr<DeviceNoticeSource> ScriptedPlatformServices::openDeviceNotices(const NativeWindow& window) const
{
    if (noticesRefused)
        return nullptr;
    return std::make_unique<ScriptedNoticeSource>(window());
}

HotplugPolicy::Mode ScriptedPlatformServices::hotplugPolicyMode() const
{
    return policyMode;
}

bool ScriptedPlatformServices::noticesComeAsWindowMessages() const
{
    return noticesAsWindowMessages;
}

} // namespace kestrel
