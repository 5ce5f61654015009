#pragma once

#include "Clock.h"
#include "DeviceState.h"
#include "MouseModel.h"
#include "ReportObserver.h"
#include "ReportScrambler.h"

#include <ConfigImage.h>
#include <MessageReporter.h>

#include <array>
#include <string>

namespace kestrel {

// The three exchanges with the mouse over its status and data collections:
// the status query, the full read and the full write of the configuration
// image. Each runs to its end or stops at its one check, the status reply's
// signature; a failed check is reported with the operation's name as caption.
// The results say whether that check passed, for callers that need to know.
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
    // from the mouse, and the sensor type taken from it.
    bool readMouse();

private:
    using StatusReport = std::array<std::uint8_t, kStatusReportSize>;
    using DataReport = std::array<std::uint8_t, kDataReportSize>;

    static StatusReport statusRequest(std::uint8_t command, std::uint8_t data0 = 0, std::uint8_t data1 = 0);
    bool statusQuery(const char* operation);
    void sendStatus(StatusReport request);
    StatusReport fetchStatus();
    void sendData(DataReport report);
    DataReport fetchData();
    void pause(int milliseconds);
    void reportFailure(const char* operation);

    DeviceState& device_;
    ConfigImage& image_;
    Clock& clock_;
    MessageReporter& reporter_;
    std::string failureText_;
    ReportScrambler scrambler_;
    ReportObserver* observer_ = nullptr;
};

} // namespace kestrel
