#pragma once

#include "CtlOptions.h"

#include <optional>
#include <ostream>

namespace kestrel::ctl {

// The commands that look at the device link itself rather than at the
// mouse's configuration.
class DeviceCommands {
public:
    DeviceCommands(std::ostream& out, std::ostream& err);

    // The command's exit code, or nullopt when the command is not one of these.
    std::optional<int> run(const CtlOptions& options);

private:
    int list(const CtlOptions& options);

    std::ostream& out_;
    std::ostream& err_;
};

} // namespace kestrel::ctl
