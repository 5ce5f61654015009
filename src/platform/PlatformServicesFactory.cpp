#include "platform/PlatformServicesFactory.h"

#if defined(_WIN32)
#include "platform/windows/WindowsPlatformServices.h"
#elif defined(__linux__)
#include "platform/linux/LinuxPlatformServices.h"
#else
#error "The program has no platform services for this system."
#endif

namespace kestrel {

std::unique_ptr<PlatformServices> PlatformServicesFactory::forThisSystem()
{
#if defined(_WIN32)
    return std::make_unique<WindowsPlatformServices>();
#elif defined(__linux__)
    return std::make_unique<LinuxPlatformServices>();
#endif
}

} // namespace kestrel
