#pragma once

#include "device/HidBackend.h"

#include <filesystem>

namespace kestrel {

// HID interfaces through the kernel's hidraw nodes. Every node under
// <sysfs>/class/hidraw whose HID device names its vendor and product (the
// HID_ID line of device/uevent) yields one interface per top-level collection
// of its report descriptor, all with the path <dev>/<node>; a descriptor that
// cannot be read or parsed yields one interface with CapsFailed. Nodes are
// listed in the kernel's numbering order. Opening opens the node read-write
// and reports errno on failure.
class LinuxHidBackend final : public HidBackend {
public:
    explicit LinuxHidBackend(std::filesystem::path sysfsRoot = "/sys", std::filesystem::path devRoot = "/dev");

    std::optional<std::vector<HidInterfaceInfo>> enumerate() override;
    HidOpenResult open(const HidInterfaceInfo& info) override;

private:
    std::optional<std::vector<std::string>> nodeNames() const;
    void appendInterfaces(const std::string& node, std::vector<HidInterfaceInfo>& interfaces) const;

    std::filesystem::path classDir_;
    std::filesystem::path devRoot_;
};

} // namespace kestrel
