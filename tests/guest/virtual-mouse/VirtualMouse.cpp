#include "VirtualMouse.h"

#include "ReportDescriptors.h"

#include "device/MouseModel.h"

#include <cerrno>
#include <vector>

namespace kestrel::guest {

namespace {

constexpr std::uint8_t kStatusReportId = 0x01;
constexpr std::uint8_t kDataReportId = 0x00; // the unnumbered report's prefix

} // namespace

std::unique_ptr<VirtualMouse> VirtualMouse::open(const std::filesystem::path& uhidNode,
                                                 const SimulatedFaultPlan& faults, std::string& error)
{
    std::array<Device, kDeviceCount> devices{
        Device{Role::Pointer, UhidDevice::open(uhidNode, error)},
        Device{Role::Status, UhidDevice::open(uhidNode, error)},
        Device{Role::Data, UhidDevice::open(uhidNode, error)},
    };
    for (const Device& device : devices) {
        if (!device.uhid)
            return nullptr;
    }
    auto mouse = std::unique_ptr<VirtualMouse>(new VirtualMouse(std::move(devices), faults));
    if (!mouse->status_ || !mouse->data_) {
        error = "the simulated mouse did not open its status and data collections";
        return nullptr;
    }
    return mouse;
}

VirtualMouse::VirtualMouse(std::array<Device, kDeviceCount> devices, const SimulatedFaultPlan& faults)
    : devices_(std::move(devices))
{
    faults.plantIn(mouse_);
    // The collections are opened before any fault can strike: opening is no exchange.
    const auto interfaces = mouse_.enumerate().value_or(std::vector<HidInterfaceInfo>{});
    for (const HidInterfaceInfo& info : interfaces) {
        if (info.usage == mouse::kStatusUsage)
            status_ = mouse_.open(info).device;
        else if (info.featureReportLength == mouse::kDataReportLength)
            data_ = mouse_.open(info).device;
    }
}

bool VirtualMouse::plug(std::string& error)
{
    if (plugged_)
        return true;
    // The pointer comes first, as interface 0 of the real mouse, so that
    // discovery has to pass over it.
    for (Device& device : devices_) {
        if (!device.uhid->create(identityOf(device.role), error)) {
            unplug();
            return false;
        }
    }
    plugged_ = true;
    return true;
}

void VirtualMouse::unplug()
{
    for (Device& device : devices_)
        device.uhid->destroy();
    plugged_ = false;
}

void VirtualMouse::plantFromNow(const SimulatedFaultPlan& faults)
{
    faults.plantIn(mouse_, mouse_.exchangeCount());
}

int VirtualMouse::fd(std::size_t index) const
{
    return devices_.at(index).uhid->fd();
}

void VirtualMouse::serve(std::size_t index)
{
    Device& device = devices_.at(index);
    uhid_event event;
    if (!device.uhid->readEvent(event))
        return;
    // Start, stop, open, close and output events need no answer.
    if (event.type == UHID_GET_REPORT)
        answerGetReport(device, event.u.get_report);
    else if (event.type == UHID_SET_REPORT)
        answerSetReport(device, event.u.set_report);
}

void VirtualMouse::answerGetReport(Device& device, const uhid_get_report_req& request)
{
    if (!servesReport(device.role, request.rtype, request.rnum)) {
        device.uhid->replyGetReport(request.id, EIO);
        return;
    }
    // The reply starts with the report ID (the zero prefix for the data report).
    std::vector<std::uint8_t> report(featureLength(device.role), 0);
    report[0] = request.rnum;
    if (!collectionFor(device.role).getFeature(report)) {
        device.uhid->replyGetReport(request.id, EIO);
        unplugIfVanished();
        return;
    }
    device.uhid->replyGetReport(request.id, 0, report);
}

void VirtualMouse::answerSetReport(Device& device, const uhid_set_report_req& request)
{
    // The data arrive with the report ID byte in front, as the host sent them.
    const bool wellFormed = request.size == featureLength(device.role) && request.data[0] == request.rnum;
    if (!servesReport(device.role, request.rtype, request.rnum) || !wellFormed) {
        device.uhid->replySetReport(request.id, EIO);
        return;
    }
    const std::span<const std::uint8_t> report(request.data, request.size);
    const bool accepted = collectionFor(device.role).setFeature(report);
    device.uhid->replySetReport(request.id, accepted ? 0 : EIO);
    if (!accepted)
        unplugIfVanished();
}

HidDevice& VirtualMouse::collectionFor(Role role)
{
    return role == Role::Status ? *status_ : *data_;
}

// The simulated mouse lists nothing once a fault made it vanish; the kernel
// has to see the devices go as well.
void VirtualMouse::unplugIfVanished()
{
    const auto present = mouse_.enumerate();
    if (present && present->empty())
        unplug();
}

std::size_t VirtualMouse::featureLength(Role role)
{
    switch (role) {
    case Role::Status:
        return mouse::kStatusReportLength;
    case Role::Data:
        return mouse::kDataReportLength;
    case Role::Pointer:
        break;
    }
    return 0;
}

bool VirtualMouse::servesReport(Role role, std::uint8_t rtype, std::uint8_t reportId)
{
    if (rtype != UHID_FEATURE_REPORT)
        return false;
    return (role == Role::Status && reportId == kStatusReportId) || (role == Role::Data && reportId == kDataReportId);
}

UhidIdentity VirtualMouse::identityOf(Role role)
{
    switch (role) {
    case Role::Status:
        return {"Kestrel virtual mouse status", mouse::kVendorId, mouse::kProductId, test::kStatusDescriptor};
    case Role::Data:
        return {"Kestrel virtual mouse data", mouse::kVendorId, mouse::kProductId, test::kDataDescriptor};
    case Role::Pointer:
        break;
    }
    return {"Kestrel virtual mouse pointer", mouse::kVendorId, mouse::kProductId, test::kPointerDescriptor};
}

} // namespace kestrel::guest
