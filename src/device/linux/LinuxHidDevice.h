#pragma once

#include "device/HidBackend.h"

namespace kestrel {

// An open hidraw node. Feature reports go through HIDIOCSFEATURE and
// HIDIOCGFEATURE; a call succeeds only when the kernel moved the whole report.
// A short reply keeps what arrived and zeroes the rest of the buffer. A call
// the kernel refused keeps its errno as the last error; a short transfer or
// a length no request can carry counts as a message-size error.
class LinuxHidDevice final : public HidDevice {
public:
    // Takes ownership of the open file descriptor.
    explicit LinuxHidDevice(int fd);
    ~LinuxHidDevice() override;
    LinuxHidDevice(const LinuxHidDevice&) = delete;
    LinuxHidDevice& operator=(const LinuxHidDevice&) = delete;

    bool setFeature(std::span<const std::uint8_t> report) override;
    bool getFeature(std::span<std::uint8_t> report) override;
    std::error_code lastError() const override { return lastError_; }

private:
    bool failed(std::error_code error);

    int fd_;
    std::error_code lastError_;
};

} // namespace kestrel
