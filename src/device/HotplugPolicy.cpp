#include "device/HotplugPolicy.h"

#include <utility>

namespace kestrel {

HotplugPolicy::HotplugPolicy(Mode mode)
    : mode_(mode)
{
}

HotplugPolicy::Step HotplugPolicy::onNotice(DeviceChange kind)
{
    if (mode_ == Mode::Counter)
        return countNotice(kind);
    lastOfBurst_ = kind;
    return Step{std::nullopt, true};
}

std::optional<DeviceChange> HotplugPolicy::onSettled()
{
    return std::exchange(lastOfBurst_, std::nullopt);
}

HotplugPolicy::Step HotplugPolicy::countNotice(DeviceChange kind)
{
    if (++count_ < kNoticesPerAction)
        return {};
    count_ = 0;
    return Step{kind, false};
}

} // namespace kestrel
