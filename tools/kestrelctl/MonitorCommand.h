#pragma once

#include "CtlOptions.h"

#include <ostream>

namespace kestrel::ctl {

// kestrelctl monitor: opens the mouse as the program does at start-up, then
// prints the mouse's udev hot-plug notices and the program's action on each
// burst until interrupted. Linux only; the simulated mouse has no notices.
class MonitorCommand {
public:
    MonitorCommand(std::ostream& out, std::ostream& err);

    int run(const CtlOptions& options);

private:
    std::ostream& out_;
    std::ostream& err_;
};

} // namespace kestrel::ctl
