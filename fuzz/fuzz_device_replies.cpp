// Whatever a device on the other end answers, or refuses, at every exchange
// of discovery, the read, the status query and Apply.
#include "DeviceSession.h"
#include "FuzzInput.h"

#include "config/DefaultSettings.h"
#include "device/MouseModel.h"

#include <algorithm>

namespace {

using kestrel::fuzz::FuzzInput;

// Every set and get succeeds or fails as the input says; a get's reply is the
// input's next bytes.
class ReplyDevice final : public kestrel::HidDevice {
public:
    explicit ReplyDevice(FuzzInput& input)
        : input_(input)
    {
    }

    bool setFeature(std::span<const std::uint8_t>) override { return input_.byte() % 8 != 0; }
    bool getFeature(std::span<std::uint8_t> report) override
    {
        const auto reply = input_.take(report.size());
        std::ranges::copy(reply, report.begin());
        return input_.byte() % 8 != 0;
    }

private:
    FuzzInput& input_;
};

// The mouse's two collections, with lengths and usages that the input may bend.
class ReplyBackend final : public kestrel::HidBackend {
public:
    explicit ReplyBackend(FuzzInput& input)
        : input_(input)
    {
    }

    std::optional<std::vector<kestrel::HidInterfaceInfo>> enumerate() override
    {
        using namespace kestrel::mouse;
        std::vector<kestrel::HidInterfaceInfo> interfaces{
            {"status", kVendorId, kProductId, kGenericDesktopPage, kStatusUsage, kStatusReportLength},
            {"data", kVendorId, kProductId, kGenericDesktopPage, kDataUsage, kDataReportLength},
        };
        // Now and then an interface of another length, which a device may claim.
        if (const std::uint8_t bend = input_.byte(); bend >= 0xF0)
            interfaces[bend & 1].featureReportLength = static_cast<std::uint16_t>(input_.byte());
        return interfaces;
    }

    kestrel::HidOpenResult open(const kestrel::HidInterfaceInfo&) override
    {
        if (input_.byte() == 0xFF)
            return {nullptr, 2};
        return {std::make_unique<ReplyDevice>(input_), 0};
    }

private:
    FuzzInput& input_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::uint8_t sensorType = input.byte();
    ReplyBackend backend(input);
    kestrel::fuzz::DeviceSession::run(backend, kestrel::defaultSettingsRecord(), sensorType);
    return 0;
}
