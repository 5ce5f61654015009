#pragma once

#include "HotplugMonitor.h"

#include <ostream>

namespace kestrel::ctl {

// The monitor's window on Windows: a message-only window registered for the
// HID class's device-interface notices, which hands the mouse's arrivals and
// removals to the monitor (and so to its hot-plug policy).
class WindowsNoticeWindow {
public:
    // Registers, opens the mouse through the monitor's start-up, then follows
    // the notices until the message loop ends. Prints why and returns 1 when
    // the window or the registration cannot be made.
    static int run(HotplugMonitor& monitor, std::ostream& err);
};

} // namespace kestrel::ctl
