#include "device/DeviceChangeHandler.h"

#include <utility>

namespace kestrel {

DeviceChangeHandler::DeviceChangeHandler(DeviceDiscovery& discovery, DeviceState& state, DeviceEventSink& sink,
                                         std::function<void()> readMouse)
    : discovery_(discovery), state_(state), sink_(sink), readMouse_(std::move(readMouse))
{
}

DeviceChangeOutcome DeviceChangeHandler::handle(DeviceChange change)
{
    if (!discovery_.openMouse()) {
        sink_.notice(DeviceEventSink::kNoticeMouseNotDetected, 0);
        sink_.hideWindow();
        state_.present = false;
        return DeviceChangeOutcome::MouseLost;
    }
    if (change == DeviceChange::Removal) {
        state_.present = true;
        return DeviceChangeOutcome::MouseStillPresent;
    }
    sink_.notice(DeviceEventSink::kNoticeMouseDetected, 0);
    readMouse_();
    state_.present = true;
    return DeviceChangeOutcome::MouseDetected;
}

} // namespace kestrel
