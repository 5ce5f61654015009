#pragma once

#include "device/DeviceChange.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceEventSink.h"
#include "device/DeviceState.h"

#include <functional>

namespace kestrel {

// What the handler made of a device change.
enum class DeviceChangeOutcome {
    MouseLost,         // no mouse could be opened: notice 15, window hidden
    MouseDetected,     // opened after an arrival: notice 14, mouse read
    MouseStillPresent, // opened after a removal: nothing read, no notice
};

// Re-opens the mouse when the hot-plug policy decides to act and brings the
// device-present flag, the window and the configuration image in line.
// readMouse switches scrambling on and fills the configuration image from the
// freshly opened mouse.
class DeviceChangeHandler {
public:
    DeviceChangeHandler(DeviceDiscovery& discovery, DeviceState& state, DeviceEventSink& sink,
                        std::function<void()> readMouse);

    DeviceChangeOutcome handle(DeviceChange change);

private:
    DeviceDiscovery& discovery_;
    DeviceState& state_;
    DeviceEventSink& sink_;
    std::function<void()> readMouse_;
};

} // namespace kestrel
