#pragma once

#include "device/HidBackend.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace kestrel {

// The link to the mouse: the two open collections with their feature report
// lengths and the flags the rest of the program consults. One instance lives
// in the program's owner and is passed to whoever needs it.
struct DeviceState {
    std::string devicePath;                  // interface examined last
    std::unique_ptr<HidDevice> statusHandle;
    std::uint16_t statusReportLength = 0;
    std::unique_ptr<HidDevice> dataHandle;
    std::uint16_t dataReportLength = 0;
    bool present = false;
    bool scrambling = false;                 // once on, never switched off

    void closeHandles()
    {
        statusHandle.reset();
        dataHandle.reset();
    }

    // The sensor type of the last complete read. This is its only copy:
    // whatever depends on it reads it here, and whoever shows something made
    // from it listens for a change.
    std::uint8_t sensorType() const { return sensorType_; }
    void setSensorType(std::uint8_t type)
    {
        if (type == sensorType_)
            return;
        sensorType_ = type;
        if (sensorTypeListener_)
            sensorTypeListener_();
    }
    // One listener; a later one replaces it.
    void setSensorTypeListener(std::function<void()> listener) { sensorTypeListener_ = std::move(listener); }

private:
    std::uint8_t sensorType_ = 0;
    std::function<void()> sensorTypeListener_;
};

} // namespace kestrel
