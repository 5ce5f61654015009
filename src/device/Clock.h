#pragma once

namespace kestrel {

// The protocol's pauses. Tests and tracing substitute their own.
class Clock {
public:
    virtual ~Clock() = default;
    virtual void sleepMs(int milliseconds) = 0;
};

// Blocks the calling thread for real.
class SystemClock final : public Clock {
public:
    void sleepMs(int milliseconds) override;
};

// Never blocks: for a simulated mouse, which needs no time between reports.
class InstantClock final : public Clock {
public:
    void sleepMs(int) override {}
};

} // namespace kestrel
