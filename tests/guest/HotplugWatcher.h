#pragma once

#include "device/DeviceChange.h"
#include "device/HotplugPolicy.h"
#include "device/linux/UdevHotplugSource.h"

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace kestrel::guest {

// Follows the mouse's hidraw notices the way the program does on Linux: a
// burst-mode hot-plug policy fed from the kernel's netlink source (no udev
// daemon runs in the guest), with poll's timeout standing in for the
// program's single-shot settle timer.
class HotplugWatcher {
public:
    struct Burst {
        std::optional<DeviceChange> action; // what the policy decided, if it did
        std::vector<HotplugNotice> notices;
    };

    // Null when the netlink monitor cannot be set up.
    static std::unique_ptr<HotplugWatcher> create();

    // Collects notices until the policy acts or `timeout` has passed.
    Burst waitForBurst(std::chrono::milliseconds timeout);

private:
    explicit HotplugWatcher(std::unique_ptr<UdevHotplugSource> source);

    std::unique_ptr<UdevHotplugSource> source_;
    HotplugPolicy policy_{HotplugPolicy::Mode::Burst};
};

} // namespace kestrel::guest
