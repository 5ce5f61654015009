#pragma once

#include "device/Clock.h"
#include "device/DeviceDiscovery.h"
#include "device/FeatureProtocol.h"
#include "device/ReportObserver.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kestrel::test {

// Keeps the pauses instead of sleeping.
class RecordingClock final : public Clock {
public:
    void sleepMs(int milliseconds) override { pauses.push_back(milliseconds); }
    std::vector<int> pauses;
};

// Keeps every failure the protocol and discovery tell of, as they happen.
class FailureLog {
public:
    void follow(FeatureProtocol& protocol)
    {
        protocol.setFailureHandler([this](const ProtocolFailure& failure) { protocolFailures.push_back(failure); });
    }
    void follow(DeviceDiscovery& discovery)
    {
        discovery.setFailureHandler([this](const DiscoveryFailure& failure) { discoveryFailures.push_back(failure); });
    }

    // The names of the failed operations, in order.
    std::vector<std::string> operations() const
    {
        std::vector<std::string> names;
        for (const ProtocolFailure& failure : protocolFailures)
            names.push_back(failure.operation);
        return names;
    }
    std::vector<DiscoveryProblem> problems() const
    {
        std::vector<DiscoveryProblem> found;
        for (const DiscoveryFailure& failure : discoveryFailures)
            found.push_back(failure.problem);
        return found;
    }
    bool empty() const { return protocolFailures.empty() && discoveryFailures.empty(); }
    void clear()
    {
        protocolFailures.clear();
        discoveryFailures.clear();
    }

    std::vector<ProtocolFailure> protocolFailures;
    std::vector<DiscoveryFailure> discoveryFailures;
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
