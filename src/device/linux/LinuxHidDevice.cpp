#include "device/linux/LinuxHidDevice.h"

#include <algorithm>
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
        return false;
    // The request is declared read-write, so it gets a buffer it may touch.
    std::vector<std::uint8_t> buffer(report.begin(), report.end());
    const int sent = ::ioctl(fd_, HIDIOCSFEATURE(buffer.size()), buffer.data());
    return sent >= 0 && static_cast<std::size_t>(sent) == buffer.size();
}

bool LinuxHidDevice::getFeature(std::span<std::uint8_t> report)
{
    if (!lengthFits(report.size()))
        return false;
    const int received = ::ioctl(fd_, HIDIOCGFEATURE(report.size()), report.data());
    if (received < 0)
        return false;
    const std::size_t length = std::min(static_cast<std::size_t>(received), report.size());
    std::fill(report.begin() + static_cast<std::ptrdiff_t>(length), report.end(), std::uint8_t{0});
    return length == report.size();
}

} // namespace kestrel
