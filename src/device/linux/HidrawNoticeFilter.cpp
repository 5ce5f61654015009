#include "device/linux/HidrawNoticeFilter.h"

namespace kestrel {

std::optional<DeviceChange> HidrawNoticeFilter::accept(std::string_view action, std::string_view devpath,
                                                       std::optional<HidIdentity> parent)
{
    if (action == "add") {
        if (!devpathNamesMouse(devpath) && !(parent && parent->isMouse()))
            return std::nullopt;
        addedNodes_.emplace(devpath);
        return DeviceChange::Arrival;
    }
    if (action == "remove") {
        const auto added = addedNodes_.find(devpath);
        const bool wasAdded = added != addedNodes_.end();
        if (wasAdded)
            addedNodes_.erase(added);
        if (!wasAdded && !devpathNamesMouse(devpath))
            return std::nullopt;
        return DeviceChange::Removal;
    }
    return std::nullopt;
}

bool HidrawNoticeFilter::devpathNamesMouse(std::string_view devpath)
{
    // The kernel names a HID device bus:vendor:product.serial in upper-case hex.
    return devpath.find("/0003:04D9:A09E.") != std::string_view::npos;
}

} // namespace kestrel
