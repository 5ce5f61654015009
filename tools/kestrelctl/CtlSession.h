#pragma once

#include "CtlOptions.h"
#include "StderrReporter.h"
#include "TraceRecorder.h"

#include "device/Clock.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceState.h"
#include "device/FeatureProtocol.h"
#include "device/HidBackend.h"

#include <memory>
#include <ostream>

namespace kestrel::ctl {

// One conversation with the mouse, real or simulated: the backend chosen by
// the options, the device link, the image and the protocol, with tracing
// when asked for. The simulated mouse needs no pauses, so they are only traced.
class CtlSession {
public:
    CtlSession(const CtlOptions& options, std::ostream& err);

    // Opens the mouse and reads its image as the program does at start-up.
    // Prints why and returns false when there is no usable mouse or the read
    // failed its check.
    bool openAndRead();

    // Prints where the last exchange with the mouse failed and why.
    void explainProtocolFailure();

    FeatureProtocol& protocol() { return *protocol_; }
    ConfigImage& image() { return image_; }
    const DeviceState& device() const { return device_; }
    DeviceState& device() { return device_; }
    HidBackend* backend() { return backend_.get(); }
    StderrReporter& reporter() { return reporter_; }

private:
    void explainFailedOpen(const DiscoveryFailure& failure);

    std::ostream& err_;
    StderrReporter reporter_;
    std::string backendError_;
    std::unique_ptr<HidBackend> backend_;
    DeviceState device_;
    ConfigImage image_;
    std::unique_ptr<Clock> clock_;
    std::unique_ptr<TraceRecorder> trace_;
    std::unique_ptr<FeatureProtocol> protocol_;
};

} // namespace kestrel::ctl
