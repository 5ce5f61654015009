#include "platform/WindowsVersion.h"

namespace kestrel {

bool WindowsVersion::is62(std::uint32_t getVersionResult)
{
    const std::uint32_t major = getVersionResult & 0xFF;
    const std::uint32_t minor = (getVersionResult >> 8) & 0xFF;
    return major == 6 && minor == 2;
}

} // namespace kestrel
