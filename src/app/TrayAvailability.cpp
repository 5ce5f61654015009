#include "app/TrayAvailability.h"

#include <utility>

namespace kestrel {

TrayAvailability::TrayAvailability(std::function<bool()> probe, QObject* parent)
    : QObject(parent)
    , probe_(std::move(probe))
{
    connect(&timer_, &QTimer::timeout, this, &TrayAvailability::recheck);
}

void TrayAvailability::start()
{
    if (probe_()) {
        settle(true);
        return;
    }
    deciding_ = true;
    rechecksLeft_ = kRecheckCount;
    timer_.start(kRecheckInterval);
}

void TrayAvailability::recheck()
{
    const bool available = probe_();
    if (deciding_) {
        if (!available && --rechecksLeft_ > 0)
            return;
        settle(available);
        return;
    }
    if (available != available_) {
        available_ = available;
        emit decided(available);
    }
}

void TrayAvailability::settle(bool available)
{
    deciding_ = false;
    available_ = available;
    timer_.start(kWatchInterval);
    emit decided(available);
}

} // namespace kestrel
