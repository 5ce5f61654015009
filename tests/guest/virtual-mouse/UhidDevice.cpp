#include "UhidDevice.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <linux/input.h>
#include <unistd.h>

namespace kestrel::guest {

std::unique_ptr<UhidDevice> UhidDevice::open(const std::filesystem::path& node, std::string& error)
{
    const int fd = ::open(node.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + node.string() + ": " + std::strerror(errno);
        return nullptr;
    }
    return std::unique_ptr<UhidDevice>(new UhidDevice(fd));
}

UhidDevice::UhidDevice(int fd)
    : fd_(fd)
{
}

UhidDevice::~UhidDevice()
{
    ::close(fd_);
}

bool UhidDevice::create(const UhidIdentity& identity, std::string& error)
{
    uhid_event event{};
    event.type = UHID_CREATE2;
    auto& request = event.u.create2;
    if (identity.reportDescriptor.size() > sizeof(request.rd_data)) {
        error = "report descriptor too long for uhid";
        return false;
    }
    // The name keeps its terminating zero.
    const std::size_t nameLength = std::min(identity.name.size(), sizeof(request.name) - 1);
    std::memcpy(request.name, identity.name.data(), nameLength);
    request.rd_size = static_cast<std::uint16_t>(identity.reportDescriptor.size());
    request.bus = BUS_USB;
    request.vendor = identity.vendorId;
    request.product = identity.productId;
    std::copy(identity.reportDescriptor.begin(), identity.reportDescriptor.end(), request.rd_data);
    if (!send(event)) {
        error = "uhid refused to create " + identity.name + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool UhidDevice::destroy()
{
    uhid_event event{};
    event.type = UHID_DESTROY;
    return send(event);
}

bool UhidDevice::readEvent(uhid_event& event)
{
    // The kernel may write fewer bytes than the structure holds; the rest reads as zero.
    event = uhid_event{};
    ssize_t received;
    do {
        received = ::read(fd_, &event, sizeof(event));
    } while (received < 0 && errno == EINTR);
    return received >= static_cast<ssize_t>(sizeof(event.type));
}

bool UhidDevice::replyGetReport(std::uint32_t id, int error, std::span<const std::uint8_t> report)
{
    uhid_event event{};
    event.type = UHID_GET_REPORT_REPLY;
    auto& reply = event.u.get_report_reply;
    reply.id = id;
    reply.err = static_cast<std::uint16_t>(error);
    const std::size_t size = std::min(report.size(), sizeof(reply.data));
    reply.size = static_cast<std::uint16_t>(size);
    std::copy_n(report.begin(), size, reply.data);
    return send(event);
}

bool UhidDevice::replySetReport(std::uint32_t id, int error)
{
    uhid_event event{};
    event.type = UHID_SET_REPORT_REPLY;
    event.u.set_report_reply.id = id;
    event.u.set_report_reply.err = static_cast<std::uint16_t>(error);
    return send(event);
}

bool UhidDevice::send(const uhid_event& event)
{
    ssize_t written;
    do {
        written = ::write(fd_, &event, sizeof(event));
    } while (written < 0 && errno == EINTR);
    return written == static_cast<ssize_t>(sizeof(event));
}

} // namespace kestrel::guest
