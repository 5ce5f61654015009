#include "device/DeviceDiscovery.h"

#include "device/MouseModel.h"

#include <string>

namespace kestrel {

DeviceDiscovery::DeviceDiscovery(HidBackend& backend, DeviceState& state, MessageReporter& reporter)
    : backend_(backend), state_(state), reporter_(reporter)
{
}

bool DeviceDiscovery::openMouse()
{
    state_.closeHandles();
    lastOpenError_ = 0;
    const auto interfaces = backend_.enumerate();
    if (!interfaces)
        return false;

    for (const HidInterfaceInfo& info : *interfaces) {
        state_.devicePath = info.path;
        if (endsSearch(info.probe))
            return fail();
        // One whose vendor and product are unknown cannot serve as the mouse.
        if (info.probe == HidProbe::AttributesFailed || !isMouse(info))
            continue;
        if (info.probe == HidProbe::CapsFailed)
            return fail();
        // A second collection of a role already filled (a second mouse of the
        // model) is passed over, so two collections of one role never count
        // as a complete link.
        const InterfaceRole role = roleOf(info);
        if (role == InterfaceRole::None || hasHandle(role))
            continue;
        if (!openInterface(info, role))
            return fail();
        if (state_.statusHandle && state_.dataHandle) {
            state_.present = true;
            return true;
        }
    }
    return fail();
}

bool DeviceDiscovery::endsSearch(HidProbe probe)
{
    return probe == HidProbe::OpenFailed || probe == HidProbe::PathFailed || probe == HidProbe::ListCut;
}

bool DeviceDiscovery::isMouse(const HidInterfaceInfo& info)
{
    return info.vendorId == mouse::kVendorId && info.productId == mouse::kProductId;
}

InterfaceRole DeviceDiscovery::roleOf(const HidInterfaceInfo& info)
{
    if (info.usagePage != mouse::kGenericDesktopPage)
        return InterfaceRole::None;
    if (info.usage == mouse::kDataUsage && info.featureReportLength == mouse::kDataReportLength)
        return InterfaceRole::Data;
    if (info.usage == mouse::kStatusUsage && info.featureReportLength == mouse::kStatusReportLength)
        return InterfaceRole::Status;
    return InterfaceRole::None;
}

bool DeviceDiscovery::hasHandle(InterfaceRole role) const
{
    return role == InterfaceRole::Status ? state_.statusHandle != nullptr : state_.dataHandle != nullptr;
}

bool DeviceDiscovery::openInterface(const HidInterfaceInfo& info, InterfaceRole role)
{
    HidOpenResult opened = backend_.open(info);
    if (!opened.device) {
        lastOpenError_ = opened.errorCode;
        reporter_.showMessage("CreateFile Error Code:" + std::to_string(opened.errorCode), "");
        return false;
    }
    if (role == InterfaceRole::Status) {
        state_.statusHandle = std::move(opened.device);
        state_.statusReportLength = info.featureReportLength;
    } else {
        state_.dataHandle = std::move(opened.device);
        state_.dataReportLength = info.featureReportLength;
    }
    return true;
}

bool DeviceDiscovery::fail()
{
    // Half a link is no link: nothing stays open after a failed search.
    state_.closeHandles();
    return false;
}

} // namespace kestrel
