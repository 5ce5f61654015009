#pragma once

#include "device/DeviceChangeHandler.h"
#include "device/HotplugPolicy.h"

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::ctl {

// Follows the mouse's hot-plug notices the way the window does and prints
// each notice, and each action with what came of it, one line apiece:
//   arrival /dev/hidraw3
//   action after arrival: notice 14, mouse read, present=1
// The caller owns the notice source and the settle timer.
class HotplugMonitor final : private DeviceEventSink {
public:
    // readMouse reads the freshly opened mouse and tells whether its check passed.
    HotplugMonitor(std::ostream& out, DeviceDiscovery& discovery, DeviceState& state,
                   std::function<bool()> readMouse, HotplugPolicy::Mode mode);

    // Opens the mouse as the program does when it starts.
    void startUp();
    // True when the settle timer is to be (re)started.
    bool onNotice(DeviceChange kind, std::string_view node);
    void onSettled();

private:
    void notice(int kind, int value) override;
    void hideWindow() override;
    void readMouse();
    void act(DeviceChange kind);
    void printEffects(std::string_view label);

    std::ostream& out_;
    DeviceDiscovery& discovery_;
    DeviceState& state_;
    std::function<bool()> readMouse_;
    HotplugPolicy policy_;
    DeviceChangeHandler handler_;
    std::vector<std::string> effects_;
};

} // namespace kestrel::ctl
