#include "device/sim/SimulatedFaultPlan.h"

#include <array>
#include <charconv>

namespace kestrel {

namespace {

struct FaultName {
    std::string_view name;
    SimulatedFault fault;
};

constexpr std::array<FaultName, 5> kFaultNames{{
    {"noanswer", SimulatedFault::NoAnswer},
    {"badsig", SimulatedFault::BadSignature},
    {"vanish", SimulatedFault::Vanished},
    {"short", SimulatedFault::Short},
    {"corrupt", SimulatedFault::CorruptedData},
}};

std::optional<SimulatedFault> faultNamed(std::string_view name)
{
    for (const FaultName& entry : kFaultNames) {
        if (entry.name == name)
            return entry.fault;
    }
    return std::nullopt;
}

std::optional<int> exchangeNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

std::string planError(std::string_view item, std::string_view why)
{
    return std::string(SimulatedFaultPlan::kVariable) + ": \"" + std::string(item) + "\" " + std::string(why)
        + " (expected N:kind[,N:kind...] with kind noanswer, badsig, vanish, short or corrupt)";
}

} // namespace

std::optional<SimulatedFaultPlan> SimulatedFaultPlan::parse(std::string_view text, std::string& error)
{
    SimulatedFaultPlan plan;
    bool more = !text.empty();
    while (more) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        more = comma != std::string_view::npos;
        text = more ? text.substr(comma + 1) : std::string_view();
        const std::size_t colon = item.find(':');
        if (colon == std::string_view::npos) {
            error = planError(item, "has no colon");
            return std::nullopt;
        }
        const auto exchange = exchangeNumber(item.substr(0, colon));
        if (!exchange) {
            error = planError(item, "does not start with an exchange number");
            return std::nullopt;
        }
        const auto fault = faultNamed(item.substr(colon + 1));
        if (!fault) {
            error = planError(item, "names no fault kind");
            return std::nullopt;
        }
        plan.faults_.emplace_back(*exchange, *fault);
    }
    return plan;
}

void SimulatedFaultPlan::plantIn(SimulatedMouse& mouse, int firstExchange) const
{
    for (const auto& [exchange, fault] : faults_)
        mouse.failAt(firstExchange + exchange, fault);
}

} // namespace kestrel
