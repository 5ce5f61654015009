#include "device/FeatureProtocol.h"

#include "device/MouseModel.h"

#include <algorithm>
#include <utility>

namespace kestrel {

namespace {

using mouse::kStatusReportId;
constexpr const auto& kSignature = mouse::kStatusSignature;
constexpr std::uint8_t kQueryCommand = 0x80;
constexpr std::uint8_t kSetStatusCommand = 0x00;
constexpr std::uint8_t kReadPageFlag = 0x80;

constexpr const char* kStatusRefused = "the status query was not accepted";
constexpr const char* kStatusPairRefused = "the status pair was not accepted";
constexpr const char* kNoStatusReply = "no status reply";
constexpr const char* kBadSignature = "the status reply has no valid signature";
constexpr const char* kPageRequestRefused = "the page command was not accepted";
constexpr const char* kNoPageData = "no page data";
constexpr const char* kPageRefused = "the page was not accepted";

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
    lastFailure_.reset();
    return statusQuery("GetDPIStage");
}

bool FeatureProtocol::readOperation()
{
    lastFailure_.reset();
    if (!statusQuery("ReadOperation"))
        return false;
    for (int n = 1; n <= ConfigImage::kPageCount; ++n) {
        if (!readPage(n))
            return false;
        pause(kPagePauseMs);
    }
    return true;
}

bool FeatureProtocol::writeOperation()
{
    lastFailure_.reset();
    constexpr const char* kOperation = "WriteOperation";
    if (!sendStatus(statusRequest(kQueryCommand)))
        return fail(kOperation, 0, kStatusRefused);
    StatusReport reply{};
    if (!fetchStatus(reply))
        return fail(kOperation, 0, kNoStatusReply);
    // The handshake checks the signature only; byte 0 of the reply is not examined.
    if (!hasSignature(reply))
        return fail(kOperation, 0, kBadSignature);
    if (!sendStatus(statusRequest(kSetStatusCommand, image_.usbReportRate(), image_.sensorDpiStage())))
        return fail(kOperation, 0, kStatusPairRefused);
    pause(kStatusPauseMs);
    for (int n = 1; n <= ConfigImage::kPageCount; ++n) {
        if (!writePage(n))
            return false;
        pause(kPagePauseMs);
    }
    return true;
}

bool FeatureProtocol::readMouse()
{
    device_.scrambling = true;
    image_.clear();
    if (!readOperation())
        return false;
    image_.markCompleteRead();
    device_.sensorType = image_.sensorType();
    return true;
}

FeatureProtocol::StatusReport FeatureProtocol::statusRequest(std::uint8_t command, std::uint8_t data0,
                                                             std::uint8_t data1)
{
    return {kStatusReportId, kSignature[0], kSignature[1], kSignature[2], kSignature[3], command, data0, data1};
}

bool FeatureProtocol::statusQuery(const char* operation)
{
    if (!sendStatus(statusRequest(kQueryCommand)))
        return fail(operation, 0, kStatusRefused);
    StatusReport reply{};
    if (!fetchStatus(reply))
        return fail(operation, 0, kNoStatusReply);
    if (reply[0] != kStatusReportId || !hasSignature(reply))
        return fail(operation, 0, kBadSignature);
    image_.setUsbReportRate(reply[6]);
    image_.setSensorDpiStage(reply[7]);
    return true;
}

// The status reply to a page command carries nothing the program uses and is
// not checked, but it must arrive: a mouse that stops answering mid-read
// would otherwise leave the page as whatever the failed fetch left behind.
bool FeatureProtocol::pageCommand(const char* operation, std::uint8_t command, int n)
{
    if (!sendStatus(statusRequest(command)))
        return fail(operation, n, kPageRequestRefused);
    StatusReport ignored{};
    if (!fetchStatus(ignored))
        return fail(operation, n, kNoStatusReply);
    return true;
}

bool FeatureProtocol::readPage(int n)
{
    constexpr const char* kOperation = "ReadOperation";
    if (!pageCommand(kOperation, static_cast<std::uint8_t>(kReadPageFlag | n), n))
        return false;
    DataReport report{};
    if (!fetchData(report))
        return fail(kOperation, n, kNoPageData);
    std::copy(report.begin() + 1, report.end(), image_.page(n).begin());
    return true;
}

bool FeatureProtocol::writePage(int n)
{
    constexpr const char* kOperation = "WriteOperation";
    if (!pageCommand(kOperation, static_cast<std::uint8_t>(n), n))
        return false;
    DataReport report{};
    const auto page = image_.page(n);
    std::copy(page.begin(), page.end(), report.begin() + 1);
    if (!sendData(report))
        return fail(kOperation, n, kPageRefused);
    return true;
}

bool FeatureProtocol::sendStatus(StatusReport request)
{
    if (device_.scrambling)
        scrambler_.scrambleStatus(request);
    if (observer_)
        observer_->reportExchanged(ReportDirection::Set, ReportChannel::Status, request);
    return device_.statusHandle && device_.statusHandle->setFeature(request);
}

bool FeatureProtocol::fetchStatus(StatusReport& reply)
{
    reply.fill(0);
    reply[0] = kStatusReportId;
    const bool fetched = device_.statusHandle && device_.statusHandle->getFeature(reply);
    if (observer_)
        observer_->reportExchanged(ReportDirection::Get, ReportChannel::Status, reply);
    if (device_.scrambling)
        scrambler_.unscrambleStatus(reply);
    return fetched;
}

bool FeatureProtocol::sendData(DataReport report)
{
    if (device_.scrambling)
        scrambler_.scrambleData(report);
    if (observer_)
        observer_->reportExchanged(ReportDirection::Set, ReportChannel::Data, report);
    return device_.dataHandle && device_.dataHandle->setFeature(report);
}

bool FeatureProtocol::fetchData(DataReport& reply)
{
    reply.fill(0);
    const bool fetched = device_.dataHandle && device_.dataHandle->getFeature(reply);
    if (observer_)
        observer_->reportExchanged(ReportDirection::Get, ReportChannel::Data, reply);
    if (device_.scrambling)
        scrambler_.unscrambleData(reply);
    return fetched;
}

void FeatureProtocol::pause(int milliseconds)
{
    clock_.sleepMs(milliseconds);
}

bool FeatureProtocol::fail(const char* operation, int page, const char* problem)
{
    lastFailure_ = ProtocolFailure{operation, page, problem};
    reporter_.showMessage(failureText_, operation);
    return false;
}

} // namespace kestrel
