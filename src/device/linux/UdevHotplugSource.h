#pragma once

#include "device/DeviceChange.h"
#include "device/linux/HidrawNoticeFilter.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct udev;
struct udev_device;
struct udev_monitor;

namespace kestrel {

// One matching hidraw notice: which node came or went.
struct HotplugNotice {
    DeviceChange kind = DeviceChange::Arrival;
    std::string devnode; // /dev/hidrawN
    std::string devpath; // the node's sysfs path
};

// The mouse's hidraw arrivals and removals from a libudev monitor. It listens
// to udev (not the kernel) so that rules and access rights are in place before
// a notice arrives. The caller watches fd() for readability (a socket notifier,
// poll) and then drains the notices; reading never blocks.
class UdevHotplugSource {
public:
    // Where the notices come from: udev, once its rules have run, or the
    // kernel itself, where no udev daemon runs (a minimal system).
    enum class Source { Udev, Kernel };

    // Null when udev or its monitor is unavailable. Asking for udev where no
    // udev daemon runs gives the kernel source instead.
    static std::unique_ptr<UdevHotplugSource> create(Source source = Source::Udev);
    ~UdevHotplugSource();
    UdevHotplugSource(const UdevHotplugSource&) = delete;
    UdevHotplugSource& operator=(const UdevHotplugSource&) = delete;

    int fd() const;
    std::vector<HotplugNotice> readNotices();

private:
    UdevHotplugSource(udev* context, udev_monitor* monitor);
    static bool udevDaemonRuns();
    std::optional<HotplugNotice> match(udev_device* device);

    udev* context_;
    udev_monitor* monitor_;
    HidrawNoticeFilter filter_;
};

} // namespace kestrel
