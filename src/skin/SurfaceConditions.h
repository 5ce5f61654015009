#pragma once

#include <cstdint>

namespace kestrel {

// The program state the main window's surface rules consult. The main
// window answers from the program's single instances, read afresh on every
// question, so an action that changes them is seen by the rules that follow.
class SurfaceConditions {
public:
    virtual ~SurfaceConditions() = default;
    // The device-present flag: both collections of the mouse are open.
    virtual bool mousePresent() const = 0;
    // Page state 1: the basic page is built and shown.
    virtual bool pageBuilt() const = 0;
    virtual std::uint8_t sensorType() const = 0;
};

} // namespace kestrel
