#pragma once

#include "device/HotplugPolicy.h"
#include "platform/DeviceNoticeSource.h"
#include "platform/InstanceLock.h"
#include "platform/KeyNamer.h"

#include <functional>
#include <memory>
#include <string>

namespace kestrel {

// What differs between the systems the program runs on, behind one seam:
// device notices, key names, the font rule's version test and the
// single-instance lock. PlatformServicesFactory picks the implementation.
class PlatformServices {
public:
    // The native handle of the window that receives device notices, asked
    // for only by platforms whose notices come through a window.
    using NativeWindow = std::function<void*()>;

    virtual ~PlatformServices() = default;

    virtual const KeyNamer& keyNamer() const = 0;
    // The version test of the font rule: the system reports Windows 6.2.
    virtual bool reportsWindows62() const = 0;
    // instanceName is the user's instance socket, where the lock is one.
    virtual std::unique_ptr<InstanceLock> makeInstanceLock(const std::string& instanceName) const = 0;
    // Null when the system refuses to deliver device notices.
    virtual std::unique_ptr<DeviceNoticeSource> openDeviceNotices(const NativeWindow& window) const = 0;
    // How this platform's notices of one plug or unplug are counted.
    virtual HotplugPolicy::Mode hotplugPolicyMode() const = 0;
    // Whether device notices come as messages to the program's window, which
    // any program on the same desktop can send too (device-change messages),
    // rather than from the kernel alone (udev).
    virtual bool noticesComeAsWindowMessages() const = 0;
};

} // namespace kestrel
