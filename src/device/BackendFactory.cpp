#include "BackendFactory.h"

#include "SimulatedMouse.h"

#if defined(_WIN32)
#include "windows/WindowsHidBackend.h"
#elif defined(__linux__)
#include "linux/LinuxHidBackend.h"
#endif

namespace kestrel {

std::unique_ptr<HidBackend> BackendFactory::create(const BackendChoice& choice, std::string& error)
{
    if (choice.simulate) {
        if (!choice.simulatedStateFile)
            return std::make_unique<SimulatedMouse>();
        return SimulatedMouse::withStateFile(*choice.simulatedStateFile, error);
    }
#if defined(_WIN32)
    return std::make_unique<WindowsHidBackend>();
#elif defined(__linux__)
    return std::make_unique<LinuxHidBackend>();
#else
    error = "this platform has no HID backend; use the simulated mouse";
    return nullptr;
#endif
}

} // namespace kestrel
