#pragma once

#include "device/HidBackend.h"

#include <cstdint>
#include <memory>
#include <string>

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
    std::uint8_t sensorType = 0;

    void closeHandles()
    {
        statusHandle.reset();
        dataHandle.reset();
    }
};

} // namespace kestrel
