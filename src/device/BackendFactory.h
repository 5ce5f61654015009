#pragma once

#include "device/HidBackend.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace kestrel {

struct BackendChoice {
    bool simulate = false;
    // With a simulated mouse: where its image is kept between runs.
    std::optional<std::filesystem::path> simulatedStateFile;
};

// The one place that decides which HID backend the program talks to: the
// simulated mouse when asked for (with the faults KESTREL_SIM_FAULTS plants
// in it), otherwise the platform's own.
class BackendFactory {
public:
    // Null with `error` set when the chosen backend cannot be used.
    static std::unique_ptr<HidBackend> create(const BackendChoice& choice, std::string& error);

private:
    static std::unique_ptr<HidBackend> createSimulated(const BackendChoice& choice, std::string& error);
};

} // namespace kestrel
