#include "platform/ScriptedInstanceLock.h"

namespace kestrel {

ScriptedInstanceLock::ScriptedInstanceLock(Outcome outcome)
    : outcome_(outcome)
{
}

InstanceLock::Outcome ScriptedInstanceLock::acquire()
{
    return outcome_;
}

int ScriptedInstanceLock::takeListeningSocket()
{
    return -1;
}

} // namespace kestrel
