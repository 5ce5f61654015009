#pragma once

#include "device/HidBackend.h"
#include "device/sim/MouseFirmware.h"
#include "device/MouseModel.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>

namespace kestrel {

// What a simulated exchange can be made to do instead of answering.
enum class SimulatedFault {
    NoAnswer,       // the call fails and leaves the buffer as it was
    BadSignature,   // a status reply arrives with a corrupted signature
    Vanished,       // the mouse is unplugged: this and every later call fail
    Short,          // a get fills only part of the buffer, a set hands the
                    // firmware only half the report; either way the call fails
    CorruptedData,  // a data report being set arrives with one byte changed on the way
};

// A mouse in the process: a HID backend that lists the mouse's collections
// (an ordinary pointer collection, the status and the data collection) and
// routes their feature reports to a MouseFirmware. Each set or get is one
// exchange, numbered from 0; a fault can be planted at any of them. With a
// state file the image is loaded from it and saved back whenever a write
// changed it; a save that fails fails the exchange that caused it, and
// problem() says why.
class SimulatedMouse final : public HidBackend {
public:
    explicit SimulatedMouse(const ConfigImage& image = MouseFirmware::factoryImage());

    // A mouse whose image lives in `stateFile`: created with the factory
    // image when missing; nullopt with `error` set when it cannot be used.
    static std::unique_ptr<SimulatedMouse> withStateFile(const std::filesystem::path& stateFile,
                                                         std::string& error);

    std::optional<std::vector<HidInterfaceInfo>> enumerate() override;
    HidOpenResult open(const HidInterfaceInfo& info) override;

    void failAt(int exchange, SimulatedFault fault);
    void vanish();
    void reappear();
    int exchangeCount() const;
    MouseFirmware& firmware();

    // Why the last failed exchange failed beyond the mouse not answering
    // (a state file that could not be saved); empty otherwise.
    std::string problem() const override;

private:
    struct Shared;
    class Collection;

    std::shared_ptr<Shared> shared_;
};

} // namespace kestrel
