#include "device/windows/WindowsHidDevice.h"

#include <vector>

#include <windows.h>
// These two headers of mingw-w64 declare C functions without C linkage.
extern "C" {
#include <hidsdi.h>
}

namespace kestrel {

WindowsHidDevice::WindowsHidDevice(void* handle)
    : handle_(handle)
{
}

WindowsHidDevice::~WindowsHidDevice()
{
    CloseHandle(handle_);
}

bool WindowsHidDevice::setFeature(std::span<const std::uint8_t> report)
{
    // The call takes a writable buffer although it only reads it.
    std::vector<std::uint8_t> buffer(report.begin(), report.end());
    if (HidD_SetFeature(handle_, buffer.data(), static_cast<ULONG>(buffer.size())) == FALSE)
        return failed(std::error_code(static_cast<int>(GetLastError()), std::system_category()));
    return true;
}

bool WindowsHidDevice::getFeature(std::span<std::uint8_t> report)
{
    if (HidD_GetFeature(handle_, report.data(), static_cast<ULONG>(report.size())) == FALSE)
        return failed(std::error_code(static_cast<int>(GetLastError()), std::system_category()));
    return true;
}

bool WindowsHidDevice::failed(std::error_code error)
{
    lastError_ = error;
    return false;
}

} // namespace kestrel
