#pragma once

#include "platform/InstanceLock.h"

namespace kestrel {

// A single-instance lock that answers what a test set.
class ScriptedInstanceLock final : public InstanceLock {
public:
    explicit ScriptedInstanceLock(Outcome outcome);

    Outcome acquire() override;
    int takeListeningSocket() override;

private:
    Outcome outcome_;
};

} // namespace kestrel
