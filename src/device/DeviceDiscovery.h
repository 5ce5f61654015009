#pragma once

#include "device/DeviceState.h"
#include "device/HidBackend.h"
#include "config/MessageReporter.h"

namespace kestrel {

// The part a HID collection of the mouse plays in the link.
enum class InterfaceRole {
    None,
    Status,
    Data,
};

// Finds the mouse among the platform's HID interfaces and opens its status
// and data collections into the device state. Interfaces are examined in the
// platform's order; the search ends at the first interface that cannot be
// examined (no path, no probe open, the list cut short), at a mouse's
// collection without capabilities, at the first failing open (reported as
// "CreateFile Error Code:%d") or once both collections are open. An
// interface whose vendor and product are unknown is passed over. Every call
// starts from closed handles, so the mouse is never held open twice; a failed
// call leaves both handles closed.
class DeviceDiscovery {
public:
    DeviceDiscovery(HidBackend& backend, DeviceState& state, MessageReporter& reporter);

    // True when both collections were opened; sets the device-present flag then.
    // A failure leaves the flag to the caller.
    bool openMouse();

    // The platform's error code when the last search ended at a refused open
    // of the collection at the device path; 0 otherwise.
    int lastOpenError() const { return lastOpenError_; }

    // Whether an interface so probed leaves the rest of the list unknowable to the search.
    static bool endsSearch(HidProbe probe);
    static bool isMouse(const HidInterfaceInfo& info);
    // The role the collection's usage and feature report length qualify it for.
    static InterfaceRole roleOf(const HidInterfaceInfo& info);

private:
    bool hasHandle(InterfaceRole role) const;
    bool openInterface(const HidInterfaceInfo& info, InterfaceRole role);
    bool fail();

    HidBackend& backend_;
    DeviceState& state_;
    MessageReporter& reporter_;
    int lastOpenError_ = 0;
};

} // namespace kestrel
