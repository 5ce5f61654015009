#pragma once

namespace kestrel {

// What the device link tells the main window: notices that become balloons,
// and the request to hide the window when the mouse is gone.
class DeviceEventSink {
public:
    static constexpr int kNoticeMouseDetected = 14;
    static constexpr int kNoticeMouseNotDetected = 15;

    virtual ~DeviceEventSink() = default;
    virtual void notice(int kind, int value) = 0;
    virtual void hideWindow() = 0;
};

} // namespace kestrel
