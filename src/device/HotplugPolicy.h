#pragma once

#include "device/DeviceChange.h"

#include <chrono>
#include <optional>

namespace kestrel {

// Decides when matching device-change notices make the program re-open the
// mouse, and after which kind of notice. It keeps no clock: the caller owns a
// single-shot settle timer, (re)starts it when told to and reports its expiry.
//
// Counter: the Windows device-interface notices come four per plug or unplug;
// arrivals and removals share one counter and the fourth notice acts, by its
// own kind. The fifth starts a new count.
// Burst: udev gives one notice per hidraw node, however many the mouse has;
// the program acts once per burst, when no notice has come for the quiet
// time, by the kind of the burst's last notice.
class HotplugPolicy {
public:
    enum class Mode {
        Counter,
        Burst,
    };

    static constexpr int kNoticesPerAction = 4;
    // The hidraw nodes of one plug appear within tens of milliseconds of each
    // other, a few hundred when udevd is busy applying rules; half a second
    // covers that spread and still greets the user promptly.
    static constexpr std::chrono::milliseconds kQuietTime{500};

    struct Step {
        std::optional<DeviceChange> actNow; // act at once on this kind
        bool armSettleTimer = false;        // (re)start the quiet-time timer
    };

    explicit HotplugPolicy(Mode mode);

    Mode mode() const { return mode_; }
    Step onNotice(DeviceChange kind);
    // The settle timer fired: the action for the burst, if one is pending.
    std::optional<DeviceChange> onSettled();

private:
    Step countNotice(DeviceChange kind);

    Mode mode_;
    int count_ = 0;
    std::optional<DeviceChange> lastOfBurst_;
};

} // namespace kestrel
