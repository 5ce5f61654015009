#pragma once

#include "device/Clock.h"
#include "device/DeviceState.h"
#include "device/MouseModel.h"
#include "device/ProtocolFailure.h"
#include "device/ReportObserver.h"
#include "device/ReportScrambler.h"

#include "config/ConfigImage.h"

#include <array>
#include <functional>
#include <optional>

namespace kestrel {

// The three exchanges with the mouse over its status and data collections:
// the status query, the full read and the full write of the configuration
// image. Each runs to its end or stops at the first exchange that fails: a
// set or get the platform refused, or a status reply without the signature.
// Each operation returns what failed; the failure handler, when one is set,
// learns of it as it happens, so that a caller running several operations
// in a row (Apply) can show each failure in its turn. Only a read that got
// through marks the image as a complete read.
class FeatureProtocol {
public:
    static constexpr std::size_t kStatusReportSize = mouse::kStatusReportLength;
    static constexpr std::size_t kDataReportSize = mouse::kDataReportLength;
    static constexpr int kPagePauseMs = 100;
    static constexpr int kStatusPauseMs = 20;

    using FailureHandler = std::function<void(const ProtocolFailure&)>;

    FeatureProtocol(DeviceState& device, ConfigImage& image, Clock& clock);

    void setObserver(ReportObserver* observer) { observer_ = observer; }
    void setFailureHandler(FailureHandler handler) { failureHandler_ = std::move(handler); }

    ProtocolResult getDpiStage();
    ProtocolResult readOperation();
    ProtocolResult writeOperation();

    // What follows every successful open: scrambling on, a fresh image read
    // from the mouse, and the sensor type taken from it. After a failed read
    // the image is not a complete read and the sensor type is left alone.
    ProtocolResult readMouse();

    // The last operation's failure, if it failed.
    const std::optional<ProtocolFailure>& lastFailure() const { return lastFailure_; }

private:
    using StatusReport = std::array<std::uint8_t, kStatusReportSize>;
    using DataReport = std::array<std::uint8_t, kDataReportSize>;

    static StatusReport statusRequest(std::uint8_t command, std::uint8_t data0 = 0, std::uint8_t data1 = 0);
    ProtocolResult statusQuery(const char* operation);
    ProtocolResult writeHandshake(const char* operation);
    // Sends the command for page n and takes its status reply.
    ProtocolResult pageCommand(const char* operation, std::uint8_t command, int n);
    ProtocolResult readPage(int n);
    ProtocolResult writePage(int n);
    bool sendStatus(StatusReport request);
    bool fetchStatus(StatusReport& reply);
    bool sendData(DataReport report);
    bool fetchData(DataReport& reply);
    void pause(int milliseconds);
    // Records the failure, tells the handler and returns it. The system's
    // error is taken from the collection the failed exchange went to.
    ProtocolResult fail(const char* operation, int page, ProtocolExchange exchange, const char* problem);
    std::error_code systemErrorOf(ProtocolExchange exchange) const;

    DeviceState& device_;
    ConfigImage& image_;
    Clock& clock_;
    ReportScrambler scrambler_;
    ReportObserver* observer_ = nullptr;
    FailureHandler failureHandler_;
    std::optional<ProtocolFailure> lastFailure_;
};

} // namespace kestrel
