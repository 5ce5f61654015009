#include "FeatureProtocol.h"

#include "MouseModel.h"

#include <algorithm>
#include <utility>

namespace kestrel {

namespace {

using mouse::kStatusReportId;
constexpr const auto& kSignature = mouse::kStatusSignature;
constexpr std::uint8_t kQueryCommand = 0x80;
constexpr std::uint8_t kSetStatusCommand = 0x00;
constexpr std::uint8_t kReadPageFlag = 0x80;

bool hasSignature(std::span<const std::uint8_t> report)
{
    return std::equal(kSignature.begin(), kSignature.end(), report.begin() + 1);
}

} // namespace

FeatureProtocol::FeatureProtocol(DeviceState& device, ConfigImage& image, Clock& clock,
                                 MessageReporter& reporter, std::string failureText)
    : device_(device)
    , image_(image)
    , clock_(clock)
    , reporter_(reporter)
    , failureText_(std::move(failureText))
{
}

bool FeatureProtocol::getDpiStage()
{
    return statusQuery("GetDPIStage");
}

bool FeatureProtocol::readOperation()
{
    if (!statusQuery("ReadOperation"))
        return false;
    for (int n = 1; n <= ConfigImage::kPageCount; ++n) {
        sendStatus(statusRequest(static_cast<std::uint8_t>(kReadPageFlag | n)));
        fetchStatus();
        const DataReport report = fetchData();
        std::copy(report.begin() + 1, report.end(), image_.page(n).begin());
        pause(kPagePauseMs);
    }
    return true;
}

bool FeatureProtocol::writeOperation()
{
    sendStatus(statusRequest(kQueryCommand));
    // The handshake checks the signature only; byte 0 of the reply is not examined.
    if (!hasSignature(fetchStatus())) {
        reportFailure("WriteOperation");
        return false;
    }
    sendStatus(statusRequest(kSetStatusCommand, image_.usbReportRate(), image_.sensorDpiStage()));
    pause(kStatusPauseMs);
    for (int n = 1; n <= ConfigImage::kPageCount; ++n) {
        sendStatus(statusRequest(static_cast<std::uint8_t>(n)));
        fetchStatus();
        DataReport report{};
        const auto page = image_.page(n);
        std::copy(page.begin(), page.end(), report.begin() + 1);
        sendData(report);
        pause(kPagePauseMs);
    }
    return true;
}

bool FeatureProtocol::readMouse()
{
    device_.scrambling = true;
    image_.clear();
    const bool ok = readOperation();
    device_.sensorType = image_.sensorType();
    return ok;
}

FeatureProtocol::StatusReport FeatureProtocol::statusRequest(std::uint8_t command, std::uint8_t data0,
                                                             std::uint8_t data1)
{
    return {kStatusReportId, kSignature[0], kSignature[1], kSignature[2], kSignature[3], command, data0, data1};
}

bool FeatureProtocol::statusQuery(const char* operation)
{
    sendStatus(statusRequest(kQueryCommand));
    const StatusReport reply = fetchStatus();
    if (reply[0] != kStatusReportId || !hasSignature(reply)) {
        reportFailure(operation);
        return false;
    }
    image_.setUsbReportRate(reply[6]);
    image_.setSensorDpiStage(reply[7]);
    return true;
}

void FeatureProtocol::sendStatus(StatusReport request)
{
    if (device_.scrambling)
        scrambler_.scrambleStatus(request);
    if (observer_)
        observer_->reportExchanged(ReportDirection::Set, ReportChannel::Status, request);
    if (device_.statusHandle)
        device_.statusHandle->setFeature(request);
}

FeatureProtocol::StatusReport FeatureProtocol::fetchStatus()
{
    StatusReport reply{};
    reply[0] = kStatusReportId;
    if (device_.statusHandle)
        device_.statusHandle->getFeature(reply);
    if (observer_)
        observer_->reportExchanged(ReportDirection::Get, ReportChannel::Status, reply);
    if (device_.scrambling)
        scrambler_.unscrambleStatus(reply);
    return reply;
}

void FeatureProtocol::sendData(DataReport report)
{
    if (device_.scrambling)
        scrambler_.scrambleData(report);
    if (observer_)
        observer_->reportExchanged(ReportDirection::Set, ReportChannel::Data, report);
    if (device_.dataHandle)
        device_.dataHandle->setFeature(report);
}

FeatureProtocol::DataReport FeatureProtocol::fetchData()
{
    DataReport reply{};
    if (device_.dataHandle)
        device_.dataHandle->getFeature(reply);
    if (observer_)
        observer_->reportExchanged(ReportDirection::Get, ReportChannel::Data, reply);
    if (device_.scrambling)
        scrambler_.unscrambleData(reply);
    return reply;
}

void FeatureProtocol::pause(int milliseconds)
{
    clock_.sleepMs(milliseconds);
}

void FeatureProtocol::reportFailure(const char* operation)
{
    reporter_.showMessage(failureText_, operation);
}

} // namespace kestrel
