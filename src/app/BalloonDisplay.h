#pragma once

#include "app/NoticeBalloon.h"

#include <algorithm>

namespace kestrel {

// Somewhere a notice can be shown: the notification icon's balloon or, without
// a notification area, a short message in the window.
class BalloonDisplay {
public:
    // However short a notice asks to be, it stays at least this long: the
    // notification areas the notices were made for apply such a floor too.
    static constexpr int kMinimumShownMs = 5000;

    virtual ~BalloonDisplay() = default;
    virtual void showBalloon(const Balloon& balloon) = 0;

    static int shownMs(const Balloon& balloon) { return std::max(balloon.timeoutMs, kMinimumShownMs); }
};

} // namespace kestrel
