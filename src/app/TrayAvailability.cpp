#include "TrayAvailability.h"

#include <utility>

namespace kestrel {

TrayAvailability::TrayAvailability(std::function<bool()> probe, QObject* parent)
    : QObject(parent)
    , probe_(std::move(probe))
{
    timer_.setInterval(kRecheckInterval);
    connect(&timer_, &QTimer::timeout, this, &TrayAvailability::recheck);
}

void TrayAvailability::start()
{
    if (probe_()) {
        emit decided(true);
        return;
    }
    rechecksLeft_ = kRecheckCount;
    timer_.start();
}

void TrayAvailability::recheck()
{
    const bool available = probe_();
    if (!available && --rechecksLeft_ > 0)
        return;
    timer_.stop();
    emit decided(available);
}

} // namespace kestrel
