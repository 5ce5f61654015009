#include "device/BackendFactory.h"

#include "device/sim/SimulatedFaultPlan.h"
#include "device/sim/SimulatedMouse.h"

#include <cstdlib>

#if defined(_WIN32)
#include "device/windows/WindowsHidBackend.h"
#elif defined(__linux__)
#include "device/linux/LinuxHidBackend.h"
#endif

namespace kestrel {

std::unique_ptr<HidBackend> BackendFactory::create(const BackendChoice& choice, std::string& error)
{
    if (choice.simulate)
        return createSimulated(choice, error);
#if defined(_WIN32)
    return std::make_unique<WindowsHidBackend>();
#elif defined(__linux__)
    return std::make_unique<LinuxHidBackend>();
#else
    error = "this platform has no HID backend; use the simulated mouse";
    return nullptr;
#endif
}

std::unique_ptr<HidBackend> BackendFactory::createSimulated(const BackendChoice& choice, std::string& error)
{
    const char* faults = std::getenv(SimulatedFaultPlan::kVariable);
    const auto plan = SimulatedFaultPlan::parse(faults ? faults : "", error);
    if (!plan)
        return nullptr;
    std::unique_ptr<SimulatedMouse> mouse = choice.simulatedStateFile
        ? SimulatedMouse::withStateFile(*choice.simulatedStateFile, error)
        : std::make_unique<SimulatedMouse>();
    if (mouse)
        plan->plantIn(*mouse);
    return mouse;
}

} // namespace kestrel
