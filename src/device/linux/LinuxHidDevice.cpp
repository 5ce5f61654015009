#include "device/linux/LinuxHidDevice.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace kestrel {

namespace {

// The ioctl number carries the length in its size field, which has 14 bits.
constexpr std::size_t kMaxIoctlLength = (std::size_t{1} << _IOC_SIZEBITS) - 1;

bool lengthFits(std::size_t length)
{
    return length > 0 && length <= kMaxIoctlLength;
}

std::error_code wrongSize()
{
    return std::make_error_code(std::errc::message_size);
}

} // namespace

LinuxHidDevice::LinuxHidDevice(int fd)
    : fd_(fd)
{
}

LinuxHidDevice::~LinuxHidDevice()
{
    ::close(fd_);
}

bool LinuxHidDevice::setFeature(std::span<const std::uint8_t> report)
{
    if (!lengthFits(report.size()))
        return failed(wrongSize());
    // The request is declared read-write, so it gets a buffer it may touch.
    std::vector<std::uint8_t> buffer(report.begin(), report.end());
    const int sent = ::ioctl(fd_, HIDIOCSFEATURE(buffer.size()), buffer.data());
    if (sent < 0)
        return failed(std::error_code(errno, std::system_category()));
    if (static_cast<std::size_t>(sent) != buffer.size())
        return failed(wrongSize());
    return true;
}

bool LinuxHidDevice::getFeature(std::span<std::uint8_t> report)
{
    if (!lengthFits(report.size()))
        return failed(wrongSize());
    const int received = ::ioctl(fd_, HIDIOCGFEATURE(report.size()), report.data());
    if (received < 0)
        return failed(std::error_code(errno, std::system_category()));
    const std::size_t length = std::min(static_cast<std::size_t>(received), report.size());
    std::fill(report.begin() + static_cast<std::ptrdiff_t>(length), report.end(), std::uint8_t{0});
    if (length != report.size())
        return failed(wrongSize());
    return true;
}

bool LinuxHidDevice::failed(std::error_code error)
{
    lastError_ = error;
    return false;
}

} // namespace kestrel
