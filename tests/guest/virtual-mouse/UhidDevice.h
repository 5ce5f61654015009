#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include <linux/uhid.h>

namespace kestrel::guest {

// What the kernel is told about a virtual HID device when it is plugged in.
struct UhidIdentity {
    std::string name;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::span<const std::uint8_t> reportDescriptor;
};

// One virtual HID device through the kernel's uhid interface. Each open of
// the uhid node carries at most one device at a time; destroying it, or
// closing the node, unplugs the device. The kernel's requests arrive as
// events on fd() and are answered by id.
class UhidDevice {
public:
    // Null with `error` set when the node cannot be opened.
    static std::unique_ptr<UhidDevice> open(const std::filesystem::path& node, std::string& error);
    ~UhidDevice();
    UhidDevice(const UhidDevice&) = delete;
    UhidDevice& operator=(const UhidDevice&) = delete;

    int fd() const { return fd_; }

    bool create(const UhidIdentity& identity, std::string& error);
    bool destroy();

    // False when no whole event could be read.
    bool readEvent(uhid_event& event);

    // `error` is an errno value, 0 for success; a failed get carries no report.
    bool replyGetReport(std::uint32_t id, int error, std::span<const std::uint8_t> report = {});
    bool replySetReport(std::uint32_t id, int error);

private:
    explicit UhidDevice(int fd);
    bool send(const uhid_event& event);

    int fd_;
};

} // namespace kestrel::guest
