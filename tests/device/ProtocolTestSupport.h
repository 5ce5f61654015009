#pragma once

#include "device/Clock.h"
#include "config/MessageReporter.h"
#include "device/ReportObserver.h"

#include <string>
#include <vector>

namespace kestrel::test {

// Keeps the pauses instead of sleeping.
class RecordingClock final : public Clock {
public:
    void sleepMs(int milliseconds) override { pauses.push_back(milliseconds); }
    std::vector<int> pauses;
};

struct Message {
    std::string text;
    std::string caption;
    bool operator==(const Message&) const = default;
};

class RecordingReporter final : public MessageReporter {
public:
    void showMessage(std::string_view text, std::string_view caption) override
    {
        messages.push_back({std::string(text), std::string(caption)});
    }
    std::vector<Message> messages;
};

struct WireReport {
    ReportDirection direction;
    ReportChannel channel;
    std::vector<std::uint8_t> bytes;
};

class RecordingObserver final : public ReportObserver {
public:
    void reportExchanged(ReportDirection direction, ReportChannel channel,
                         std::span<const std::uint8_t> wireBytes) override
    {
        reports.push_back({direction, channel, {wireBytes.begin(), wireBytes.end()}});
    }
    std::vector<WireReport> reports;
};

} // namespace kestrel::test
