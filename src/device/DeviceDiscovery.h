#pragma once

#include "device/DeviceState.h"
#include "device/HidBackend.h"

#include "config/Outcome.h"

#include <functional>
#include <optional>
#include <string>
#include <system_error>

namespace kestrel {

// The part a HID collection of the mouse plays in the link.
enum class InterfaceRole {
    None,
    Status,
    Data,
};

// Why a search for the mouse ended without both collections open.
enum class DiscoveryProblem {
    ListUnavailable,       // the platform produced no list of interfaces
    InterfaceUnexaminable, // an interface gave no path, no probe open, or the list was cut short
    NoCapabilities,        // a collection of the mouse without usable capabilities
    OpenRefused,           // the platform refused to open a collection of the mouse
    NotFound,              // the list ended before both collections were found
};

// What ended the search; the device path is that of the last interface
// examined, the error the platform's code of a refused open.
struct DiscoveryFailure {
    DiscoveryProblem problem = DiscoveryProblem::NotFound;
    std::string devicePath;
    std::error_code error;
};

using DiscoveryResult = Outcome<DiscoveryFailure>;

// Finds the mouse among the platform's HID interfaces and opens its status
// and data collections into the device state. Interfaces are examined in the
// platform's order; the search ends at the first interface that cannot be
// examined (no path, no probe open, the list cut short), at a mouse's
// collection without capabilities, at the first failing open or once both
// collections are open. An interface whose vendor and product are unknown is
// passed over. Every call starts from closed handles, so the mouse is never
// held open twice; a failed call leaves both handles closed. The failure
// handler, when one is set, learns of each failed search as it happens.
class DeviceDiscovery {
public:
    using FailureHandler = std::function<void(const DiscoveryFailure&)>;

    DeviceDiscovery(HidBackend& backend, DeviceState& state);

    void setFailureHandler(FailureHandler handler) { failureHandler_ = std::move(handler); }

    // Succeeds when both collections were opened and sets the device-present
    // flag then. A failure leaves the flag to the caller.
    DiscoveryResult openMouse();

    // Whether an interface so probed leaves the rest of the list unknowable to the search.
    static bool endsSearch(HidProbe probe);
    static bool isMouse(const HidInterfaceInfo& info);
    // The role the collection's usage and feature report length qualify it for.
    static InterfaceRole roleOf(const HidInterfaceInfo& info);

private:
    bool hasHandle(InterfaceRole role) const;
    // The platform's error code when the open was refused; nullopt once open.
    std::optional<int> openInterface(const HidInterfaceInfo& info, InterfaceRole role);
    DiscoveryResult fail(DiscoveryProblem problem, int platformError = 0);

    HidBackend& backend_;
    DeviceState& state_;
    FailureHandler failureHandler_;
};

} // namespace kestrel
