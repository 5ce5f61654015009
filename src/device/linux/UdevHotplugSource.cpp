#include "device/linux/UdevHotplugSource.h"

#include <filesystem>

#include <libudev.h>

namespace kestrel {

namespace {

std::string textOrEmpty(const char* text)
{
    return text ? std::string(text) : std::string();
}

// The identity of the HID device a hidraw node belongs to, while sysfs still has it.
std::optional<HidIdentity> parentIdentity(udev_device* device)
{
    udev_device* parent = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
    const char* hidId = parent ? udev_device_get_property_value(parent, "HID_ID") : nullptr;
    return hidId ? HidIdentity::fromHidId(hidId) : std::nullopt;
}

} // namespace

bool UdevHotplugSource::udevDaemonRuns()
{
    std::error_code error;
    return std::filesystem::exists("/run/udev/control", error);
}

std::unique_ptr<UdevHotplugSource> UdevHotplugSource::create(Source source)
{
    udev* context = udev_new();
    if (!context)
        return nullptr;
    // Without a udev daemon the "udev" source never delivers anything; the
    // kernel's own notices are then the only way to hear a plug.
    if (source == Source::Udev && !udevDaemonRuns())
        source = Source::Kernel;
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, source == Source::Kernel ? "kernel" : "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        udev_monitor_unref(monitor);
        udev_unref(context);
        return nullptr;
    }
    return std::unique_ptr<UdevHotplugSource>(new UdevHotplugSource(context, monitor));
}

UdevHotplugSource::UdevHotplugSource(udev* context, udev_monitor* monitor)
    : context_(context), monitor_(monitor)
{
}

UdevHotplugSource::~UdevHotplugSource()
{
    udev_monitor_unref(monitor_);
    udev_unref(context_);
}

int UdevHotplugSource::fd() const
{
    return udev_monitor_get_fd(monitor_);
}

std::vector<HotplugNotice> UdevHotplugSource::readNotices()
{
    // The monitor's socket is non-blocking: receiving returns null once drained.
    std::vector<HotplugNotice> notices;
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        if (auto notice = match(device))
            notices.push_back(std::move(*notice));
        udev_device_unref(device);
    }
    return notices;
}

std::optional<HotplugNotice> UdevHotplugSource::match(udev_device* device)
{
    const std::string action = textOrEmpty(udev_device_get_action(device));
    const std::string devpath = textOrEmpty(udev_device_get_devpath(device));
    const auto identity = action == "add" ? parentIdentity(device) : std::nullopt;
    const auto kind = filter_.accept(action, devpath, identity);
    if (!kind)
        return std::nullopt;
    return HotplugNotice{*kind, textOrEmpty(udev_device_get_devnode(device)), devpath};
}

} // namespace kestrel
