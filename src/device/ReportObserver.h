#pragma once

#include <cstdint>
#include <span>

namespace kestrel {

enum class ReportChannel { Status, Data };
enum class ReportDirection { Set, Get };

// Sees every report as it travels, scrambled while scrambling is on. Used for
// tracing; the pauses are seen through the Clock.
class ReportObserver {
public:
    virtual ~ReportObserver() = default;
    virtual void reportExchanged(ReportDirection direction, ReportChannel channel,
                                 std::span<const std::uint8_t> wireBytes) = 0;
};

} // namespace kestrel
