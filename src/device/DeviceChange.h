#pragma once

namespace kestrel {

// The two kinds of device-change notice the program follows.
enum class DeviceChange {
    Arrival,
    Removal,
};

} // namespace kestrel
