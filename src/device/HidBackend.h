#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace kestrel {

// How far the platform got when it examined one HID interface.
enum class HidProbe {
    Ok,                // attributes and capabilities are valid
    OpenFailed,        // the interface could not be opened even without access rights
    CapsFailed,        // attributes known, but no usable capabilities
    AttributesFailed,  // opened, but the system gave no vendor and product
    PathFailed,        // the system gave no device path for the interface
    ListCut,           // not an interface: the system failed to list any further
};

// One HID top-level collection as the platform reports it. The feature report
// length counts the report ID byte (or the zero prefix of an unnumbered report).
struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t featureReportLength = 0;
    HidProbe probe = HidProbe::Ok;
    int probeError = 0;  // the platform's error code when the probe failed
};

// An open HID collection. The buffers passed are the full report including
// the report ID byte; results tell whether the platform accepted the call.
class HidDevice {
public:
    virtual ~HidDevice() = default;
    virtual bool setFeature(std::span<const std::uint8_t> report) = 0;
    virtual bool getFeature(std::span<std::uint8_t> report) = 0;
    // The system's error of the last call that failed; empty when the
    // platform gave none (or nothing has failed yet).
    virtual std::error_code lastError() const { return {}; }
};

struct HidOpenResult {
    std::unique_ptr<HidDevice> device;   // null when the open failed
    int errorCode = 0;                   // the platform's error code on failure
};

// The platform's HID class driver: lists the present interfaces and opens one.
class HidBackend {
public:
    virtual ~HidBackend() = default;
    // nullopt when the platform could not produce the list at all.
    virtual std::optional<std::vector<HidInterfaceInfo>> enumerate() = 0;
    virtual HidOpenResult open(const HidInterfaceInfo& info) = 0;
    // What the backend knows about its last failure that the platform's
    // error code cannot say, for the user; empty when there is nothing.
    virtual std::string problem() const { return {}; }
};

} // namespace kestrel
