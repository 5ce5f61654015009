#pragma once

#include "device/HidBackend.h"

#include <cerrno>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kestrel::test {

// A HID backend with a scripted interface list that records what is opened.
// Discovery never exchanges reports, so its devices only count how many of
// them are alive.
class FakeHidBackend final : public HidBackend {
public:
    class Device final : public HidDevice {
    public:
        explicit Device(int& alive)
            : alive_(alive)
        {
            ++alive_;
        }
        ~Device() override { --alive_; }
        bool setFeature(std::span<const std::uint8_t>) override { return false; }
        bool getFeature(std::span<std::uint8_t>) override { return false; }

    private:
        int& alive_;
    };

    std::optional<std::vector<HidInterfaceInfo>> enumerate() override { return interfaces; }

    HidOpenResult open(const HidInterfaceInfo& interface) override
    {
        opened.push_back(interface.path);
        aliveAtOpen.push_back(alive);
        if (const auto refusal = openErrors.find(interface.path); refusal != openErrors.end())
            return {nullptr, refusal->second};
        return {std::make_unique<Device>(alive), 0};
    }

    std::optional<std::vector<HidInterfaceInfo>> interfaces = std::vector<HidInterfaceInfo>{};
    std::map<std::string, int> openErrors;
    std::vector<std::string> opened;
    std::vector<int> aliveAtOpen; // devices alive when each open was asked for
    int alive = 0;
};

inline HidInterfaceInfo hidInterface(std::string path, std::uint16_t vendor, std::uint16_t product,
                                     std::uint16_t usage, std::uint16_t length, HidProbe probe = HidProbe::Ok)
{
    return {std::move(path), vendor, product, 0x0001, usage, length, probe};
}

} // namespace kestrel::test
