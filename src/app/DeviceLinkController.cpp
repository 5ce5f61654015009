#include "app/DeviceLinkController.h"

#include <utility>

namespace kestrel {

DeviceLinkController::DeviceLinkController(ProgramState& state, HidBackend& backend, Clock& clock,
                                           MessageReporter& reporter, DeviceEventSink& sink,
                                           HotplugPolicy::Mode policyMode)
    : state_(state)
    , sink_(sink)
    , failureMessages_(reporter)
    , discovery_(backend, state.device)
    , protocol_(state.device, state.image, clock)
    , handler_(discovery_, state.device, sink, [this] { readMouse(); })
    , policy_(policyMode)
{
    discovery_.setFailureHandler(
        [this](const DiscoveryFailure& failure) { failureMessages_.showDiscoveryFailure(failure); });
    protocol_.setFailureHandler(
        [this](const ProtocolFailure& failure) { failureMessages_.showProtocolFailure(failure); });
    settleTimer_.setSingleShot(true);
    settleTimer_.setInterval(HotplugPolicy::kQuietTime);
    connect(&settleTimer_, &QTimer::timeout, this, &DeviceLinkController::settle);
    // Every read that finds another sensor type is announced, whoever asked
    // for it: an arrival or an Apply that had to read the mouse again.
    state_.device.setSensorTypeListener([this] { emit sensorTypeChanged(); });
}

DeviceLinkController::~DeviceLinkController()
{
    state_.device.setSensorTypeListener({});
}

void DeviceLinkController::setFailureText(const std::string& text)
{
    failureMessages_.setNotDetectedText(text);
}

bool DeviceLinkController::openAtStartup(Absence absence)
{
    if (!discovery_.openMouse()) {
        state_.device.present = false;
        if (absence == Absence::Announce)
            sink_.notice(DeviceEventSink::kNoticeMouseNotDetected, 0);
        return false;
    }
    state_.device.present = true;
    readMouse();
    return true;
}

bool DeviceLinkController::registerForNotices(std::unique_ptr<HotplugWatcher> watcher)
{
    if (!watcher)
        return false;
    watcher_ = std::move(watcher);
    connect(watcher_.get(), &HotplugWatcher::deviceChanged, this, &DeviceLinkController::deviceChanged);
    return true;
}

void DeviceLinkController::deviceChanged(DeviceChange change)
{
    const HotplugPolicy::Step step = policy_.onNotice(change);
    if (step.armSettleTimer)
        settleTimer_.start();
    if (step.actNow)
        act(*step.actNow);
}

void DeviceLinkController::settle()
{
    if (const auto change = policy_.onSettled())
        act(*change);
}

void DeviceLinkController::readMouse()
{
    protocol_.readMouse();
}

void DeviceLinkController::act(DeviceChange change)
{
    if (handler_.handle(change) == DeviceChangeOutcome::MouseDetected)
        emit mouseDetected();
}

} // namespace kestrel
