#pragma once

#include "HidBackend.h"

namespace kestrel {

// HID collections through SetupDi and the HID class driver. Each present
// interface of the HID class is probed with a handle without access rights
// (attributes, then preparsed data and capabilities) and the probe closed
// again. A failed detail query or probe open ends the list with an
// OpenFailed entry, so the search stops there as the platform's order
// demands. Opening asks for read and write access and reports GetLastError.
class WindowsHidBackend final : public HidBackend {
public:
    std::optional<std::vector<HidInterfaceInfo>> enumerate() override;
    HidOpenResult open(const HidInterfaceInfo& info) override;
};

} // namespace kestrel
