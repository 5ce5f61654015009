#pragma once

namespace kestrel {

// The rule that only one copy of the program runs per user, held for the
// life of the object that acquired it.
class InstanceLock {
public:
    enum class Outcome {
        Acquired,
        HeldByAnotherCopy,
        // The rule cannot be kept (someone else holds its name, or the system
        // refused): the program runs without it.
        Unavailable,
    };

    virtual ~InstanceLock() = default;

    virtual Outcome acquire() = 0;
    // The listening socket on which the holder answers other copies' notices;
    // the caller owns it from then on. -1 unless acquired, and always -1 where
    // copies do not talk through the lock.
    virtual int takeListeningSocket() = 0;
};

} // namespace kestrel
