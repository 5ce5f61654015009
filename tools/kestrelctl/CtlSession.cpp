#include "CtlSession.h"

#include "device/BackendFactory.h"
#include "device/DeviceDiscovery.h"

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
    protocol_ = std::make_unique<FeatureProtocol>(device_, image_, *clock);
    protocol_->setObserver(trace_.get());
    reporter_.follow(*protocol_);
}

bool CtlSession::openAndRead()
{
    if (!backend_) {
        err_ << "kestrelctl: " << backendError_ << '\n';
        return false;
    }
    DeviceDiscovery discovery(*backend_, device_);
    reporter_.follow(discovery);
    if (const DiscoveryResult opened = discovery.openMouse(); !opened) {
        explainFailedOpen(*opened.failure());
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
    err_ << "kestrelctl: " << StderrReporter::explanation(*failure) << '\n';
    if (const std::string problem = backend_->problem(); !problem.empty())
        err_ << "kestrelctl: " << problem << '\n';
}

void CtlSession::explainFailedOpen(const DiscoveryFailure& failure)
{
#ifdef __linux__
    // A node that exists but is not ours to open is a missing udev rule, not a missing mouse.
    const int openError = failure.problem == DiscoveryProblem::OpenRefused ? failure.error.value() : 0;
    const std::string access = hidrawAccessMessage(failure.devicePath, openError);
    if (!access.empty()) {
        err_ << "kestrelctl: " << access << '\n';
        return;
    }
#else
    (void)failure;
#endif
    if (!reporter_.reported())
        err_ << "kestrelctl: no mouse found (USB vendor 04D9, product A09E)\n";
}

} // namespace kestrel::ctl
