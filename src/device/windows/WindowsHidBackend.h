#pragma once

#include "device/HidBackend.h"
#include "device/HidPathOpener.h"
#include "device/windows/Win32CreateFile.h"

namespace kestrel {

// HID collections through SetupDi and the HID class driver. Each present
// interface of the HID class is probed (attributes, then preparsed data and
// capabilities) and the probe closed again. An interface whose detail query,
// probe open or attributes fail is listed as such with the system's error
// code and the list goes on; a failure of the enumeration other than its end
// closes the list with a ListCut entry. Probes and opens alike ask for no
// access rights (see HidPathOpener) and report the open's own last error.
class WindowsHidBackend final : public HidBackend {
public:
    WindowsHidBackend();

    std::optional<std::vector<HidInterfaceInfo>> enumerate() override;
    HidOpenResult open(const HidInterfaceInfo& info) override;

private:
    Win32CreateFile createFile_;
    HidPathOpener opener_;
};

} // namespace kestrel
