#pragma once

#include "app/FailureMessages.h"
#include "app/HotplugWatcher.h"
#include "app/ProgramState.h"

#include "device/Clock.h"
#include "device/DeviceChangeHandler.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceEventSink.h"
#include "device/FeatureProtocol.h"
#include "device/HidBackend.h"
#include "device/HotplugPolicy.h"
#include "skin/MessageReporter.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <string>

namespace kestrel {

// The device link as the window drives it: opens and reads the mouse at
// start-up, follows its arrivals and removals through the hot-plug policy
// (owning the policy's settle timer), and keeps the device-present flag and
// the configuration image in line; it passes on the device state's news of
// a new sensor type as a signal. Notices and the
// request to hide the window go to the event sink; a refused open and every
// failed exchange are shown as message boxes as they happen.
class DeviceLinkController final : public QObject {
    Q_OBJECT

public:
    DeviceLinkController(ProgramState& state, HidBackend& backend, Clock& clock, MessageReporter& reporter,
                         DeviceEventSink& sink, HotplugPolicy::Mode policyMode);
    ~DeviceLinkController() override;

    // The text of the protocol's failure messages, in the chosen language.
    void setFailureText(const std::string& text);

    enum class Absence {
        Announce,
        KeepQuiet,
    };

    // Opens the mouse and reads it; without it sends notice 15 unless told to
    // keep quiet. True when present.
    bool openAtStartup(Absence absence = Absence::Announce);
    // Starts following arrivals and removals; false when there is no watcher.
    bool registerForNotices(std::unique_ptr<HotplugWatcher> watcher);
    void deviceChanged(DeviceChange change);
    // The settle timer ran out: act on the burst of notices, if one is pending.
    void settle();

    FeatureProtocol& protocol() { return protocol_; }
    QTimer& settleTimer() { return settleTimer_; }

signals:
    // The mouse arrived and has been read.
    void mouseDetected();
    // A complete read found another sensor type than before: other DPI levels.
    void sensorTypeChanged();

private:
    void readMouse();
    void act(DeviceChange change);

    ProgramState& state_;
    DeviceEventSink& sink_;
    FailureMessages failureMessages_;
    DeviceDiscovery discovery_;
    FeatureProtocol protocol_;
    DeviceChangeHandler handler_;
    HotplugPolicy policy_;
    QTimer settleTimer_;
    std::unique_ptr<HotplugWatcher> watcher_;
};

} // namespace kestrel
