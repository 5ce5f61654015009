#pragma once

#include "device/DeviceChange.h"
#include "device/linux/HidIdentity.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace kestrel {

// Tells which udev notices of the hidraw subsystem belong to the mouse. An
// added node matches by its HID parent's identity or by the HID device name
// ("0003:04D9:A09E.NNNN") in its device path; a removed node, whose sysfs
// attributes are already gone, by that name in its path or by having matched
// when it was added. Other actions (change, bind) are no plug or unplug.
class HidrawNoticeFilter {
public:
    std::optional<DeviceChange> accept(std::string_view action, std::string_view devpath,
                                       std::optional<HidIdentity> parent);

    static bool devpathNamesMouse(std::string_view devpath);

private:
    std::set<std::string, std::less<>> addedNodes_;
};

} // namespace kestrel
