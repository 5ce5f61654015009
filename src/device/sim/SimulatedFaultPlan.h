#pragma once

#include "device/sim/SimulatedMouse.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrel {

// Faults to plant in a simulated mouse, written "N:kind[,N:kind...]": N is
// the exchange they strike (every set and get counts, from 0), kind one of
// "noanswer", "badsig", "vanish", "short" and "corrupt". The environment variable
// KESTREL_SIM_FAULTS carries such a plan to the programs.
class SimulatedFaultPlan {
public:
    static constexpr const char* kVariable = "KESTREL_SIM_FAULTS";

    // nullopt with `error` set when the text is not a plan; an empty text
    // is an empty plan.
    static std::optional<SimulatedFaultPlan> parse(std::string_view text, std::string& error);

    // Plants the faults with their exchange numbers counted from
    // `firstExchange`, so that a plan can also strike a mouse already in use.
    void plantIn(SimulatedMouse& mouse, int firstExchange = 0) const;
    bool empty() const { return faults_.empty(); }

private:
    std::vector<std::pair<int, SimulatedFault>> faults_;
};

} // namespace kestrel
