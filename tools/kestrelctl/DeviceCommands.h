#pragma once

#include "CtlOptions.h"

#include <HidBackend.h>

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

    // A diagnosis rather than a search: every interface of the mouse that
    // could be examined, however many others could not be; those are named
    // on standard error. Fails when no interface of the mouse was seen.
    int list(HidBackend& backend);

private:
    int list(const CtlOptions& options);
    void reportUnexamined(const HidInterfaceInfo& info);

    std::ostream& out_;
    std::ostream& err_;
};

} // namespace kestrel::ctl
