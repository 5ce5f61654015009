#pragma once

#include "device/Clock.h"
#include "device/DeviceState.h"
#include "device/MouseModel.h"
#include "device/ReportObserver.h"
#include "device/ReportScrambler.h"

#include "config/ConfigImage.h"
#include "config/MessageReporter.h"

#include <array>
#include <optional>
#include <string>

namespace kestrel {

// Where an operation stopped: its name, the page it was at (0 before the
// first page) and what went wrong, in words.
struct ProtocolFailure {
    std::string operation;
    int page = 0;
    std::string problem;
};

// The three exchanges with the mouse over its status and data collections:
// the status query, the full read and the full write of the configuration
// image. Each runs to its end or stops at the first exchange that fails: a
// set or get the platform refused, or a status reply without the signature.
// A failure is reported with the operation's name as caption, and the
// results say whether the operation got through, for callers that need to
// know. Only a read that got through marks the image as a complete read.
class FeatureProtocol {
public:
    static constexpr std::size_t kStatusReportSize = mouse::kStatusReportLength;
    static constexpr std::size_t kDataReportSize = mouse::kDataReportLength;
    static constexpr int kPagePauseMs = 100;
    static constexpr int kStatusPauseMs = 20;

    FeatureProtocol(DeviceState& device, ConfigImage& image, Clock& clock,
                    MessageReporter& reporter, std::string failureText);

    void setObserver(ReportObserver* observer) { observer_ = observer; }

    bool getDpiStage();
    bool readOperation();
    bool writeOperation();

    // What follows every successful open: scrambling on, a fresh image read
    // from the mouse, and the sensor type taken from it. After a failed read
    // the image is not a complete read and the sensor type is left alone.
    bool readMouse();

    // The last operation's failure, if it failed.
    const std::optional<ProtocolFailure>& lastFailure() const { return lastFailure_; }

private:
    using StatusReport = std::array<std::uint8_t, kStatusReportSize>;
    using DataReport = std::array<std::uint8_t, kDataReportSize>;

    static StatusReport statusRequest(std::uint8_t command, std::uint8_t data0 = 0, std::uint8_t data1 = 0);
    bool statusQuery(const char* operation);
    // Sends the command for page n and takes its status reply.
    bool pageCommand(const char* operation, std::uint8_t command, int n);
    bool readPage(int n);
    bool writePage(int n);
    bool sendStatus(StatusReport request);
    bool fetchStatus(StatusReport& reply);
    bool sendData(DataReport report);
    bool fetchData(DataReport& reply);
    void pause(int milliseconds);
    bool fail(const char* operation, int page, const char* problem);

    DeviceState& device_;
    ConfigImage& image_;
    Clock& clock_;
    MessageReporter& reporter_;
    std::string failureText_;
    ReportScrambler scrambler_;
    ReportObserver* observer_ = nullptr;
    std::optional<ProtocolFailure> lastFailure_;
};

} // namespace kestrel
