#pragma once

#include "device/HidBackend.h"

namespace kestrel {

// A HID collection opened for use; feature reports through HidD_SetFeature
// and HidD_GetFeature.
class WindowsHidDevice final : public HidDevice {
public:
    // Takes ownership of the open file handle.
    explicit WindowsHidDevice(void* handle);
    ~WindowsHidDevice() override;
    WindowsHidDevice(const WindowsHidDevice&) = delete;
    WindowsHidDevice& operator=(const WindowsHidDevice&) = delete;

    bool setFeature(std::span<const std::uint8_t> report) override;
    bool getFeature(std::span<std::uint8_t> report) override;
    std::error_code lastError() const override { return lastError_; }

private:
    bool failed(std::error_code error);

    void* handle_;
    std::error_code lastError_;
};

} // namespace kestrel
