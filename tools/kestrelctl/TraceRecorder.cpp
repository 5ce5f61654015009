#include "TraceRecorder.h"

#include "HexFormat.h"

namespace kestrel::ctl {

TraceRecorder::TraceRecorder(std::ostream& out, Clock& clock)
    : out_(out)
    , clock_(clock)
{
}

void TraceRecorder::reportExchanged(ReportDirection direction, ReportChannel channel,
                                    std::span<const std::uint8_t> wireBytes)
{
    out_ << (direction == ReportDirection::Set ? "set " : "get ")
         << (channel == ReportChannel::Status ? "status " : "data ") << hexBytes(wireBytes) << '\n';
}

void TraceRecorder::sleepMs(int milliseconds)
{
    out_ << "sleep " << milliseconds << '\n';
    clock_.sleepMs(milliseconds);
}

} // namespace kestrel::ctl
