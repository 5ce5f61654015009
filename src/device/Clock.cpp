#include "device/Clock.h"

#include <chrono>
#include <thread>

namespace kestrel {

void SystemClock::sleepMs(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace kestrel
