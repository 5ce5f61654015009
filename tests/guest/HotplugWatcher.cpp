#include "HotplugWatcher.h"

#include <algorithm>
#include <cerrno>

#include <poll.h>

namespace kestrel::guest {

namespace {

using Clock = std::chrono::steady_clock;

int millisecondsUntil(Clock::time_point when)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

} // namespace

std::unique_ptr<HotplugWatcher> HotplugWatcher::create()
{
    auto source = UdevHotplugSource::create(UdevHotplugSource::Source::Kernel);
    if (!source)
        return nullptr;
    return std::unique_ptr<HotplugWatcher>(new HotplugWatcher(std::move(source)));
}

HotplugWatcher::HotplugWatcher(std::unique_ptr<UdevHotplugSource> source)
    : source_(std::move(source))
{
}

HotplugWatcher::Burst HotplugWatcher::waitForBurst(std::chrono::milliseconds timeout)
{
    Burst burst;
    const Clock::time_point deadline = Clock::now() + timeout;
    Clock::time_point settleAt = Clock::time_point::max(); // the settle timer is not running
    while (!burst.action) {
        pollfd watched{source_->fd(), POLLIN, 0};
        const int ready = ::poll(&watched, 1, millisecondsUntil(std::min(settleAt, deadline)));
        if (ready < 0 && errno != EINTR)
            break;
        if (ready > 0) {
            for (HotplugNotice& notice : source_->readNotices()) {
                const HotplugPolicy::Step step = policy_.onNotice(notice.kind);
                burst.notices.push_back(std::move(notice));
                if (step.actNow)
                    burst.action = step.actNow;
                if (step.armSettleTimer)
                    settleAt = Clock::now() + HotplugPolicy::kQuietTime;
            }
        } else if (Clock::now() >= settleAt) {
            settleAt = Clock::time_point::max();
            burst.action = policy_.onSettled();
        } else if (Clock::now() >= deadline) {
            break;
        }
    }
    return burst;
}

} // namespace kestrel::guest
