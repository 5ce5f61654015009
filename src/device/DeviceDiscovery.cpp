#include "device/DeviceDiscovery.h"

#include "device/MouseModel.h"

#include "config/Diagnostics.h"

#include <string>
#include <utility>

namespace kestrel {

DeviceDiscovery::DeviceDiscovery(HidBackend& backend, DeviceState& state)
    : backend_(backend), state_(state)
{
}

DiscoveryResult DeviceDiscovery::openMouse()
{
    state_.closeHandles();
    const auto interfaces = backend_.enumerate();
    if (!interfaces)
        return fail(DiscoveryProblem::ListUnavailable);

    for (const HidInterfaceInfo& info : *interfaces) {
        state_.devicePath = info.path;
        if (endsSearch(info.probe))
            return fail(DiscoveryProblem::InterfaceUnexaminable);
        // One whose vendor and product are unknown cannot serve as the mouse.
        if (info.probe == HidProbe::AttributesFailed || !isMouse(info))
            continue;
        if (info.probe == HidProbe::CapsFailed)
            return fail(DiscoveryProblem::NoCapabilities);
        // A second collection of a role already filled (a second mouse of the
        // model) is passed over, so two collections of one role never count
        // as a complete link.
        const InterfaceRole role = roleOf(info);
        if (role == InterfaceRole::None || hasHandle(role))
            continue;
        if (const auto refused = openInterface(info, role))
            return fail(DiscoveryProblem::OpenRefused, *refused);
        if (state_.statusHandle && state_.dataHandle) {
            state_.present = true;
            Diagnostics::debug(Diagnostics::Area::Device, "opened the mouse at " + state_.devicePath);
            return {};
        }
    }
    return fail(DiscoveryProblem::NotFound);
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

std::optional<int> DeviceDiscovery::openInterface(const HidInterfaceInfo& info, InterfaceRole role)
{
    HidOpenResult opened = backend_.open(info);
    if (!opened.device)
        return opened.errorCode;
    if (role == InterfaceRole::Status) {
        state_.statusHandle = std::move(opened.device);
        state_.statusReportLength = info.featureReportLength;
    } else {
        state_.dataHandle = std::move(opened.device);
        state_.dataReportLength = info.featureReportLength;
    }
    return std::nullopt;
}

DiscoveryResult DeviceDiscovery::fail(DiscoveryProblem problem, int platformError)
{
    // Half a link is no link: nothing stays open after a failed search.
    state_.closeHandles();
    DiscoveryFailure failure{problem, state_.devicePath, {}};
    if (problem == DiscoveryProblem::OpenRefused) {
        failure.error = std::error_code(platformError, std::system_category());
        Diagnostics::warning(Diagnostics::Area::Device, "cannot open " + failure.devicePath + ": "
                                                            + failure.error.message());
    } else {
        Diagnostics::debug(Diagnostics::Area::Device, "no mouse to open");
    }
    if (failureHandler_)
        failureHandler_(failure);
    return failure;
}

} // namespace kestrel
