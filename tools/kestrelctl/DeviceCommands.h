#pragma once

#include "CtlOptions.h"

#include "device/HidBackend.h"

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

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
    // on standard error, with the system's error code. Fails when no
    // interface of the mouse was seen or the system cut the list short.
    int list(HidBackend& backend);

private:
    int list(const CtlOptions& options);
    // Names an interface that could not be examined; false for any other.
    bool reportUnexamined(const HidInterfaceInfo& info, std::size_t position);
    static std::string withError(const HidInterfaceInfo& info);

    std::ostream& out_;
    std::ostream& err_;
};

} // namespace kestrel::ctl
