#pragma once

#include "UhidDevice.h"

#include "device/sim/SimulatedFaultPlan.h"
#include "device/sim/SimulatedMouse.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>

namespace kestrel::guest {

// The mouse as the kernel sees it: three uhid devices with the mouse's
// vendor and product, as its USB interfaces present them. An ordinary
// pointer with input reports only, the status collection (report ID 1, an
// 8-byte feature report) and the data collection (no report IDs, a 65-byte
// feature report). Feature requests on the last two are answered by the
// in-process simulated mouse, faults planted in it included; anything else,
// and every exchange a fault strikes, is refused the way a device stalls a
// request. A fault that makes the mouse vanish unplugs the devices. The
// firmware, and so the image, outlives unplugging.
class VirtualMouse {
public:
    static constexpr std::size_t kDeviceCount = 3;

    // Null with `error` set when uhid cannot be opened.
    static std::unique_ptr<VirtualMouse> open(const std::filesystem::path& uhidNode, const SimulatedFaultPlan& faults,
                                              std::string& error);

    bool plug(std::string& error);
    void unplug();
    // Plants `faults` with their exchanges counted from the next one.
    void plantFromNow(const SimulatedFaultPlan& faults);

    // The handle to watch for the kernel's requests to device `index`.
    int fd(std::size_t index) const;
    // Reads and answers one event of device `index`.
    void serve(std::size_t index);

private:
    enum class Role { Pointer, Status, Data };

    struct Device {
        Role role;
        std::unique_ptr<UhidDevice> uhid;
    };

    VirtualMouse(std::array<Device, kDeviceCount> devices, const SimulatedFaultPlan& faults);

    void answerGetReport(Device& device, const uhid_get_report_req& request);
    void answerSetReport(Device& device, const uhid_set_report_req& request);
    HidDevice& collectionFor(Role role);
    void unplugIfVanished();
    static std::size_t featureLength(Role role);
    static bool servesReport(Role role, std::uint8_t rtype, std::uint8_t reportId);
    static UhidIdentity identityOf(Role role);

    std::array<Device, kDeviceCount> devices_;
    SimulatedMouse mouse_;
    std::unique_ptr<HidDevice> status_;
    std::unique_ptr<HidDevice> data_;
    bool plugged_ = false;
};

} // namespace kestrel::guest
