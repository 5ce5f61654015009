#include "device/FeatureProtocol.h"

#include "device/MouseModel.h"

#include "config/Diagnostics.h"

#include <algorithm>
#include <string>
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

FeatureProtocol::FeatureProtocol(DeviceState& device, ConfigImage& image, Clock& clock)
    : device_(device)
    , image_(image)
    , clock_(clock)
{
}

ProtocolResult FeatureProtocol::getDpiStage()
{
    lastFailure_.reset();
    return statusQuery("GetDPIStage");
}

ProtocolResult FeatureProtocol::readOperation()
{
    lastFailure_.reset();
    if (ProtocolResult queried = statusQuery("ReadOperation"); !queried)
        return queried;
    for (int n = 1; n <= ConfigImage::kPageCount; ++n) {
        if (ProtocolResult read = readPage(n); !read)
            return read;
        pause(kPagePauseMs);
    }
    return {};
}

ProtocolResult FeatureProtocol::writeOperation()
{
    lastFailure_.reset();
    constexpr const char* kOperation = "WriteOperation";
    if (ProtocolResult handshake = writeHandshake(kOperation); !handshake)
        return handshake;
    pause(kStatusPauseMs);
    for (int n = 1; n <= ConfigImage::kPageCount; ++n) {
        if (ProtocolResult written = writePage(n); !written)
            return written;
        pause(kPagePauseMs);
    }
    Diagnostics::debug(Diagnostics::Area::Device, "wrote all pages");
    return {};
}

ProtocolResult FeatureProtocol::readMouse()
{
    device_.scrambling = true;
    image_.clear();
    if (ProtocolResult read = readOperation(); !read)
        return read;
    image_.markCompleteRead();
    device_.setSensorType(image_.sensorType());
    Diagnostics::debug(Diagnostics::Area::Device, "read the mouse, sensor type " + std::to_string(device_.sensorType()));
    return {};
}

FeatureProtocol::StatusReport FeatureProtocol::statusRequest(std::uint8_t command, std::uint8_t data0,
                                                             std::uint8_t data1)
{
    return {kStatusReportId, kSignature[0], kSignature[1], kSignature[2], kSignature[3], command, data0, data1};
}

ProtocolResult FeatureProtocol::statusQuery(const char* operation)
{
    if (!sendStatus(statusRequest(kQueryCommand)))
        return fail(operation, 0, ProtocolExchange::StatusSet, kStatusRefused);
    StatusReport reply{};
    if (!fetchStatus(reply))
        return fail(operation, 0, ProtocolExchange::StatusGet, kNoStatusReply);
    if (reply[0] != kStatusReportId || !hasSignature(reply))
        return fail(operation, 0, ProtocolExchange::StatusSignature, kBadSignature);
    image_.setUsbReportRate(reply[6]);
    image_.setSensorDpiStage(reply[7]);
    return {};
}

ProtocolResult FeatureProtocol::writeHandshake(const char* operation)
{
    if (!sendStatus(statusRequest(kQueryCommand)))
        return fail(operation, 0, ProtocolExchange::StatusSet, kStatusRefused);
    StatusReport reply{};
    if (!fetchStatus(reply))
        return fail(operation, 0, ProtocolExchange::StatusGet, kNoStatusReply);
    // The handshake checks the signature only; byte 0 of the reply is not examined.
    if (!hasSignature(reply))
        return fail(operation, 0, ProtocolExchange::StatusSignature, kBadSignature);
    if (!sendStatus(statusRequest(kSetStatusCommand, image_.usbReportRate(), image_.sensorDpiStage())))
        return fail(operation, 0, ProtocolExchange::StatusSet, kStatusPairRefused);
    return {};
}

// The status reply to a page command carries nothing the program uses and is
// not checked, but it must arrive: a mouse that stops answering mid-read
// would otherwise leave the page as whatever the failed fetch left behind.
ProtocolResult FeatureProtocol::pageCommand(const char* operation, std::uint8_t command, int n)
{
    if (!sendStatus(statusRequest(command)))
        return fail(operation, n, ProtocolExchange::StatusSet, kPageRequestRefused);
    StatusReport ignored{};
    if (!fetchStatus(ignored))
        return fail(operation, n, ProtocolExchange::StatusGet, kNoStatusReply);
    return {};
}

ProtocolResult FeatureProtocol::readPage(int n)
{
    constexpr const char* kOperation = "ReadOperation";
    if (ProtocolResult commanded = pageCommand(kOperation, static_cast<std::uint8_t>(kReadPageFlag | n), n);
        !commanded)
        return commanded;
    DataReport report{};
    if (!fetchData(report))
        return fail(kOperation, n, ProtocolExchange::DataGet, kNoPageData);
    std::copy(report.begin() + 1, report.end(), image_.page(n).begin());
    return {};
}

ProtocolResult FeatureProtocol::writePage(int n)
{
    constexpr const char* kOperation = "WriteOperation";
    if (ProtocolResult commanded = pageCommand(kOperation, static_cast<std::uint8_t>(n), n); !commanded)
        return commanded;
    DataReport report{};
    const auto page = image_.page(n);
    std::copy(page.begin(), page.end(), report.begin() + 1);
    if (!sendData(report))
        return fail(kOperation, n, ProtocolExchange::DataSet, kPageRefused);
    return {};
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

ProtocolResult FeatureProtocol::fail(const char* operation, int page, ProtocolExchange exchange, const char* problem)
{
    lastFailure_ = ProtocolFailure{operation, page, exchange, problem, systemErrorOf(exchange)};
    std::string line = std::string(operation) + " failed at page " + std::to_string(page) + ": " + problem;
    if (lastFailure_->error)
        line += " (" + lastFailure_->error.message() + ")";
    Diagnostics::warning(Diagnostics::Area::Device, line);
    if (failureHandler_)
        failureHandler_(*lastFailure_);
    return *lastFailure_;
}

std::error_code FeatureProtocol::systemErrorOf(ProtocolExchange exchange) const
{
    switch (exchange) {
    case ProtocolExchange::StatusSet:
    case ProtocolExchange::StatusGet:
        return device_.statusHandle ? device_.statusHandle->lastError() : std::error_code{};
    case ProtocolExchange::DataSet:
    case ProtocolExchange::DataGet:
        return device_.dataHandle ? device_.dataHandle->lastError() : std::error_code{};
    case ProtocolExchange::StatusSignature:
        break;
    }
    return {};
}

} // namespace kestrel
