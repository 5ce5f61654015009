#pragma once

#include <cstdint>

namespace kestrel {

// Reads the version number GetVersion returns: the major version in the low
// byte, the minor version in the next.
class WindowsVersion {
public:
    static bool is62(std::uint32_t getVersionResult);
};

} // namespace kestrel
