#include "CtlSession.h"

#include "device/BackendFactory.h"
#include "device/DeviceDiscovery.h"
#include "config/TextTable.h"

#ifdef __linux__
#include "device/linux/HidrawAccessMessage.h"
#endif

namespace kestrel::ctl {

namespace {

std::unique_ptr<Clock> clockFor(const CtlOptions& options)
{
    if (options.simulate)
        return std::make_unique<InstantClock>();
    return std::make_unique<SystemClock>();
}

} // namespace

CtlSession::CtlSession(const CtlOptions& options, std::ostream& err)
    : err_(err)
    , reporter_(err)
    , backend_(BackendFactory::create({options.simulate, options.simulatedStateFile}, backendError_))
    , clock_(clockFor(options))
{
    Clock* clock = clock_.get();
    if (options.trace) {
        trace_ = std::make_unique<TraceRecorder>(err, *clock_);
        clock = trace_.get();
    }
    // The tool speaks English whatever the window's language.
    protocol_ = std::make_unique<FeatureProtocol>(device_, image_, *clock, reporter_,
                                                  TextTable::forLanguage(Language::English).mouseNotDetected);
    protocol_->setObserver(trace_.get());
}

bool CtlSession::openAndRead()
{
    if (!backend_) {
        err_ << "kestrelctl: " << backendError_ << '\n';
        return false;
    }
    DeviceDiscovery discovery(*backend_, device_, reporter_);
    if (!discovery.openMouse()) {
        explainFailedOpen(discovery);
        return false;
    }
    if (protocol_->readMouse())
        return true;
    explainProtocolFailure();
    return false;
}

void CtlSession::explainProtocolFailure()
{
    const auto& failure = protocol_->lastFailure();
    if (!failure)
        return;
    err_ << "kestrelctl: " << failure->operation << " failed";
    if (failure->page != 0)
        err_ << " at page " << failure->page;
    err_ << ": " << failure->problem << '\n';
    if (const std::string problem = backend_->problem(); !problem.empty())
        err_ << "kestrelctl: " << problem << '\n';
}

void CtlSession::explainFailedOpen(const DeviceDiscovery& discovery)
{
#ifdef __linux__
    // A node that exists but is not ours to open is a missing udev rule, not a missing mouse.
    const std::string access = hidrawAccessMessage(device_.devicePath, discovery.lastOpenError());
    if (!access.empty()) {
        err_ << "kestrelctl: " << access << '\n';
        return;
    }
#else
    (void)discovery;
#endif
    if (!reporter_.reported())
        err_ << "kestrelctl: no mouse found (USB vendor 04D9, product A09E)\n";
}

} // namespace kestrel::ctl
