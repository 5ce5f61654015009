#include "device/sim/SimulatedMouse.h"

#include "device/sim/SimulatedStateFile.h"

#include "config/Unicode.h"

#include <algorithm>
#include <cerrno>
#include <vector>

namespace kestrel {

namespace {

constexpr const char* kPointerPath = "sim:pointer";
constexpr const char* kStatusPath = "sim:status";
constexpr const char* kDataPath = "sim:data";

enum class Role { Status, Data };

} // namespace

struct SimulatedMouse::Shared {
    explicit Shared(const ConfigImage& image)
        : firmware(image)
    {
    }

    bool fetch(Role role, std::span<std::uint8_t> report);
    bool deliver(Role role, std::span<const std::uint8_t> report);

    MouseFirmware firmware;
    std::map<int, SimulatedFault> faults;
    int exchanges = 0;
    bool vanished = false;
    std::optional<std::filesystem::path> stateFile;
    std::string problem;

private:
    // Counts the exchange and tells whether the mouse answers it at all.
    std::optional<SimulatedFault> beginExchange(bool& answers);
    bool saveIfChanged();
};

std::optional<SimulatedFault> SimulatedMouse::Shared::beginExchange(bool& answers)
{
    std::optional<SimulatedFault> fault;
    if (const auto it = faults.find(exchanges++); it != faults.end())
        fault = it->second;
    if (fault == SimulatedFault::Vanished)
        vanished = true;
    answers = !vanished && fault != SimulatedFault::NoAnswer;
    return fault;
}

bool SimulatedMouse::Shared::fetch(Role role, std::span<std::uint8_t> report)
{
    bool answers = false;
    const auto fault = beginExchange(answers);
    if (!answers)
        return false;
    if (fault == SimulatedFault::Short) {
        // The reply is produced whole but only its first half arrives.
        std::vector<std::uint8_t> whole(report.begin(), report.end());
        role == Role::Data ? firmware.getDataReport(whole) : firmware.getStatusReport(whole);
        std::copy_n(whole.begin(), whole.size() / 2, report.begin());
        return false;
    }
    if (role == Role::Data) {
        firmware.getDataReport(report);
        return true;
    }
    firmware.getStatusReport(report);
    if (fault == SimulatedFault::BadSignature && report.size() > 1)
        report[1] ^= 0xFF;
    return true;
}

bool SimulatedMouse::Shared::deliver(Role role, std::span<const std::uint8_t> report)
{
    bool answers = false;
    const auto fault = beginExchange(answers);
    if (!answers)
        return false;
    const auto delivered = fault == SimulatedFault::Short ? report.first(report.size() / 2) : report;
    if (role == Role::Data) {
        std::vector<std::uint8_t> arrived(delivered.begin(), delivered.end());
        if (fault == SimulatedFault::CorruptedData && !arrived.empty())
            arrived[arrived.size() / 2] ^= 0x5A;
        firmware.setDataReport(arrived);
    }
    else
        firmware.setStatusReport(delivered);
    return saveIfChanged() && fault != SimulatedFault::Short;
}

bool SimulatedMouse::Shared::saveIfChanged()
{
    problem.clear();
    if (!firmware.takeImageChanged() || !stateFile)
        return true;
    if (const std::error_code error = SimulatedStateFile::save(*stateFile, firmware.image())) {
        problem = "cannot save the simulated mouse file " + unicode::utf8FromPath(*stateFile) + ": " + error.message();
        return false;
    }
    return true;
}

// One open collection of the simulated mouse.
class SimulatedMouse::Collection final : public HidDevice {
public:
    Collection(std::shared_ptr<Shared> shared, Role role)
        : shared_(std::move(shared))
        , role_(role)
    {
    }

    bool setFeature(std::span<const std::uint8_t> report) override { return shared_->deliver(role_, report); }
    bool getFeature(std::span<std::uint8_t> report) override { return shared_->fetch(role_, report); }

private:
    std::shared_ptr<Shared> shared_;
    Role role_;
};

SimulatedMouse::SimulatedMouse(const ConfigImage& image)
    : shared_(std::make_shared<Shared>(image))
{
}

std::unique_ptr<SimulatedMouse> SimulatedMouse::withStateFile(const std::filesystem::path& stateFile,
                                                              std::string& error)
{
    const auto image = SimulatedStateFile::loadOrCreate(stateFile, MouseFirmware::factoryImage(), error);
    if (!image)
        return nullptr;
    auto mouse = std::make_unique<SimulatedMouse>(*image);
    mouse->shared_->stateFile = stateFile;
    return mouse;
}

std::optional<std::vector<HidInterfaceInfo>> SimulatedMouse::enumerate()
{
    if (shared_->vanished)
        return std::vector<HidInterfaceInfo>{};
    return std::vector<HidInterfaceInfo>{
        {kPointerPath, mouse::kVendorId, mouse::kProductId, mouse::kGenericDesktopPage, mouse::kDataUsage, 0,
         HidProbe::Ok},
        {kStatusPath, mouse::kVendorId, mouse::kProductId, mouse::kGenericDesktopPage, mouse::kStatusUsage,
         mouse::kStatusReportLength, HidProbe::Ok},
        {kDataPath, mouse::kVendorId, mouse::kProductId, mouse::kGenericDesktopPage, mouse::kDataUsage,
         mouse::kDataReportLength, HidProbe::Ok},
    };
}

HidOpenResult SimulatedMouse::open(const HidInterfaceInfo& info)
{
    if (shared_->vanished)
        return {nullptr, ENODEV};
    if (info.path == kStatusPath)
        return {std::make_unique<Collection>(shared_, Role::Status), 0};
    if (info.path == kDataPath)
        return {std::make_unique<Collection>(shared_, Role::Data), 0};
    // The pointer collection belongs to the input subsystem.
    return {nullptr, EACCES};
}

void SimulatedMouse::failAt(int exchange, SimulatedFault fault)
{
    shared_->faults[exchange] = fault;
}

void SimulatedMouse::vanish()
{
    shared_->vanished = true;
}

void SimulatedMouse::reappear()
{
    shared_->vanished = false;
}

int SimulatedMouse::exchangeCount() const
{
    return shared_->exchanges;
}

MouseFirmware& SimulatedMouse::firmware()
{
    return shared_->firmware;
}

std::string SimulatedMouse::problem() const
{
    return shared_->problem;
}

} // namespace kestrel
