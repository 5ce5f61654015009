#include "config/Diagnostics.h"

#include <atomic>

namespace kestrel {

namespace {

// The device layer may log from a hot-plug thread while the sink is set.
std::atomic<Diagnostics::Sink> installedSink{nullptr};

} // namespace

void Diagnostics::setSink(Sink sink)
{
    installedSink.store(sink);
}

void Diagnostics::write(Area area, Level level, std::string_view line)
{
    if (const Sink sink = installedSink.load())
        sink(area, level, line);
}

} // namespace kestrel
