#pragma once

#include "device/Clock.h"
#include "device/ReportObserver.h"

#include <ostream>

namespace kestrel::ctl {

// Prints every report exchanged and every pause, one per line
// ("set status …", "get data …", "sleep 100"), then lets the real clock pause.
class TraceRecorder final : public ReportObserver, public Clock {
public:
    TraceRecorder(std::ostream& out, Clock& clock);

    void reportExchanged(ReportDirection direction, ReportChannel channel,
                         std::span<const std::uint8_t> wireBytes) override;
    void sleepMs(int milliseconds) override;

private:
    std::ostream& out_;
    Clock& clock_;
};

} // namespace kestrel::ctl
