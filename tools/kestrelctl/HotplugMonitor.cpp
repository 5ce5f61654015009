#include "HotplugMonitor.h"

#include <utility>

namespace kestrel::ctl {

namespace {

const char* kindName(DeviceChange kind)
{
    return kind == DeviceChange::Arrival ? "arrival" : "removal";
}

} // namespace

HotplugMonitor::HotplugMonitor(std::ostream& out, DeviceDiscovery& discovery, DeviceState& state,
                               std::function<bool()> readMouse, HotplugPolicy::Mode mode)
    : out_(out)
    , discovery_(discovery)
    , state_(state)
    , readMouse_(std::move(readMouse))
    , policy_(mode)
    , handler_(discovery, state, *this, [this] { this->readMouse(); })
{
}

void HotplugMonitor::startUp()
{
    state_.present = discovery_.openMouse().succeeded();
    if (state_.present)
        readMouse();
    else
        notice(kNoticeMouseNotDetected, 0);
    printEffects("start-up");
}

bool HotplugMonitor::onNotice(DeviceChange kind, std::string_view node)
{
    out_ << kindName(kind) << ' ' << node << std::endl;
    const HotplugPolicy::Step step = policy_.onNotice(kind);
    if (step.actNow)
        act(*step.actNow);
    return step.armSettleTimer;
}

void HotplugMonitor::onSettled()
{
    if (const auto kind = policy_.onSettled())
        act(*kind);
}

void HotplugMonitor::notice(int kind, int)
{
    effects_.push_back("notice " + std::to_string(kind));
}

void HotplugMonitor::hideWindow()
{
    effects_.emplace_back("window hidden");
}

void HotplugMonitor::readMouse()
{
    effects_.emplace_back(readMouse_() ? "mouse read" : "mouse read failed");
}

void HotplugMonitor::act(DeviceChange kind)
{
    handler_.handle(kind);
    printEffects(std::string("action after ") + kindName(kind));
}

void HotplugMonitor::printEffects(std::string_view label)
{
    out_ << label << ": ";
    for (const std::string& effect : effects_)
        out_ << effect << ", ";
    out_ << "present=" << (state_.present ? 1 : 0) << std::endl;
    effects_.clear();
}

} // namespace kestrel::ctl
