#pragma once

#include "app/HotplugWatcher.h"

#include "device/linux/UdevHotplugSource.h"

#include <QSocketNotifier>

#include <memory>

namespace kestrel {

// The mouse's hidraw arrivals and removals from udev, read whenever the
// monitor's socket becomes readable.
class UdevHotplugWatcher final : public HotplugWatcher {
public:
    // Null when udev cannot be watched.
    static std::unique_ptr<HotplugWatcher> create();

private:
    explicit UdevHotplugWatcher(std::unique_ptr<UdevHotplugSource> source);
    void readNotices();

    std::unique_ptr<UdevHotplugSource> source_;
    QSocketNotifier notifier_;
};

} // namespace kestrel
