#include "MonitorCommand.h"

#include "CtlSession.h"
#include "HotplugMonitor.h"

#if defined(_WIN32)
#include "WindowsNoticeWindow.h"
#elif defined(__linux__)
#include "device/linux/UdevHotplugSource.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include <poll.h>
#endif

namespace kestrel::ctl {

namespace {

#if defined(__linux__)
using SteadyClock = std::chrono::steady_clock;

// The settle timer of the burst policy, kept as a deadline for poll().
class SettleDeadline {
public:
    void arm()
    {
        deadline_ = SteadyClock::now() + HotplugPolicy::kQuietTime;
        armed_ = true;
    }

    // Milliseconds for poll(): -1 waits for notices alone.
    int pollTimeout() const
    {
        if (!armed_)
            return -1;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline_ - SteadyClock::now());
        return static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
    }

    // True once, when the armed deadline has passed.
    bool expire()
    {
        if (!armed_ || SteadyClock::now() < deadline_)
            return false;
        armed_ = false;
        return true;
    }

private:
    SteadyClock::time_point deadline_{};
    bool armed_ = false;
};

int follow(UdevHotplugSource& source, HotplugMonitor& monitor, std::ostream& err)
{
    SettleDeadline settle;
    for (;;) {
        pollfd watched{source.fd(), POLLIN, 0};
        if (::poll(&watched, 1, settle.pollTimeout()) < 0 && errno != EINTR) {
            err << "kestrelctl: waiting for udev notices failed: " << std::strerror(errno) << '\n';
            return 1;
        }
        if (watched.revents & POLLIN) {
            for (const HotplugNotice& notice : source.readNotices()) {
                if (monitor.onNotice(notice.kind, notice.devnode.empty() ? notice.devpath : notice.devnode))
                    settle.arm();
            }
        }
        if (settle.expire())
            monitor.onSettled();
    }
}
#endif

} // namespace

MonitorCommand::MonitorCommand(std::ostream& out, std::ostream& err)
    : out_(out)
    , err_(err)
{
}

int MonitorCommand::run(const CtlOptions& options)
{
    if (!options.arguments.empty()) {
        err_ << "kestrelctl: monitor takes 0 arguments\n";
        return 2;
    }
    if (options.simulate) {
        err_ << "kestrelctl: the simulated mouse sends no hot-plug notices; monitor follows the real one\n";
        return 1;
    }
#if defined(_WIN32) || defined(__linux__)
    CtlSession session(options, err_);
    if (!session.backend()) {
        err_ << "kestrelctl: no HID backend for this platform\n";
        return 1;
    }
    DeviceDiscovery discovery(*session.backend(), session.device());
    session.reporter().follow(discovery);
    const auto readMouse = [&session] { return session.protocol().readMouse().succeeded(); };
#endif
#if defined(_WIN32)
    // The device-interface notices come four per plug or unplug.
    HotplugMonitor monitor(out_, discovery, session.device(), readMouse, HotplugPolicy::Mode::Counter);
    return WindowsNoticeWindow::run(monitor, err_);
#elif defined(__linux__)
    const auto source = UdevHotplugSource::create();
    if (!source) {
        err_ << "kestrelctl: cannot listen to udev notices\n";
        return 1;
    }
    HotplugMonitor monitor(out_, discovery, session.device(), readMouse, HotplugPolicy::Mode::Burst);
    monitor.startUp();
    return follow(*source, monitor, err_);
#else
    err_ << "kestrelctl: monitor follows udev or Windows device notices and runs on neither here\n";
    return 1;
#endif
}

} // namespace kestrel::ctl
