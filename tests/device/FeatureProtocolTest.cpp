#include "ProtocolTestSupport.h"

#include "device/FeatureProtocol.h"
#include "device/ReportScrambler.h"
#include "device/sim/SimulatedMouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

using namespace kestrel;
using namespace kestrel::test;

namespace {

// A protocol talking to a simulated mouse through handles opened the way
// discovery opens them.
struct Link {
    explicit Link(bool scrambling = true)
    {
        const auto interfaces = mouse.enumerate();
        for (const auto& info : *interfaces) {
            if (info.usage == 6)
                device.statusHandle = mouse.open(info).device;
            else if (info.featureReportLength == 65)
                device.dataHandle = mouse.open(info).device;
        }
        device.statusReportLength = 8;
        device.dataReportLength = 65;
        device.present = true;
        device.scrambling = scrambling;
        protocol.setObserver(&observer);
        failures.follow(protocol);
    }

    SimulatedMouse mouse;
    DeviceState device;
    ConfigImage image;
    RecordingClock clock;
    FailureLog failures;
    RecordingObserver observer;
    FeatureProtocol protocol{device, image, clock};
};

// Answers every status fetch with one fixed report; for replies that a
// well-behaved mouse never gives.
class FixedStatusDevice final : public HidDevice {
public:
    explicit FixedStatusDevice(std::array<std::uint8_t, 8> reply)
        : reply_(reply)
    {
    }
    bool setFeature(std::span<const std::uint8_t>) override { return true; }
    bool getFeature(std::span<std::uint8_t> report) override
    {
        std::copy(reply_.begin(), reply_.end(), report.begin());
        return true;
    }

private:
    std::array<std::uint8_t, 8> reply_;
};

std::vector<std::uint8_t> queryRequest()
{
    return {0x01, 0xAA, 0xCC, 0xEE, 0xDD, 0x80, 0x00, 0x00};
}

} // namespace

TEST(FeatureProtocol, ReadMouseFetchesTheWholeImageAndSensorType)
{
    Link link(false);
    link.protocol.readMouse();
    EXPECT_TRUE(link.device.scrambling);
    EXPECT_EQ(link.image, link.mouse.firmware().image());
    EXPECT_EQ(link.device.sensorType(), 1);
    EXPECT_EQ(link.clock.pauses, (std::vector<int>{100, 100, 100, 100, 100}));
    EXPECT_TRUE(link.failures.empty());
    // Query, then per page: request, discarded status, data.
    ASSERT_EQ(link.observer.reports.size(), 2u + 5u * 3u);
    EXPECT_EQ(link.observer.reports[4].channel, ReportChannel::Data);
}

TEST(FeatureProtocol, WriteSendsStatusPairAndAllPagesWithPauses)
{
    Link link;
    link.protocol.readMouse();
    link.image.setUsbReportRate(8);
    for (int n = 1; n <= 5; ++n)
        std::fill(link.image.page(n).begin(), link.image.page(n).end(), static_cast<std::uint8_t>(0x10 * n));
    link.clock.pauses.clear();
    EXPECT_TRUE(link.protocol.writeOperation());
    EXPECT_EQ(link.clock.pauses, (std::vector<int>{20, 100, 100, 100, 100, 100}));
    ConfigImage expected = link.image;
    EXPECT_EQ(link.mouse.firmware().image(), expected);

    // Read back through a fresh read.
    link.image.clear();
    link.protocol.readMouse();
    EXPECT_EQ(link.image, expected);
}

TEST(FeatureProtocol, RequestsGoOutInClearWithoutScramblingAndScrambledWithIt)
{
    Link clear(false);
    MouseFirmware clearFirmware(MouseFirmware::factoryImage(), false);
    clear.mouse.firmware() = clearFirmware;
    clear.protocol.getDpiStage();
    ASSERT_FALSE(clear.observer.reports.empty());
    EXPECT_EQ(clear.observer.reports[0].bytes, queryRequest());
    EXPECT_TRUE(clear.failures.empty());

    Link scrambled;
    scrambled.protocol.writeOperation();
    auto expected = queryRequest();
    ReportScrambler().scrambleStatus(expected);
    // The write handshake sends the same 8 bytes as the status query.
    EXPECT_EQ(scrambled.observer.reports[0].bytes, expected);
    scrambled.observer.reports.clear();
    scrambled.protocol.getDpiStage();
    EXPECT_EQ(scrambled.observer.reports[0].bytes, expected);
}

TEST(FeatureProtocol, DataReportsKeepEveryEighthPageByteInClear)
{
    Link link;
    for (int n = 1; n <= 5; ++n)
        for (std::size_t i = 0; i < 64; ++i)
            link.image.page(n)[i] = static_cast<std::uint8_t>(n * 64 + i);
    link.protocol.writeOperation();
    int dataReports = 0;
    for (const auto& report : link.observer.reports) {
        if (report.channel != ReportChannel::Data)
            continue;
        const int page = ++dataReports;
        EXPECT_EQ(report.bytes[0], 0x00);
        for (std::size_t i = 0; i < 64; i += 8)
            EXPECT_EQ(report.bytes[i + 1], link.image.page(page)[i]) << "page " << page << " byte " << i;
        EXPECT_FALSE(std::equal(report.bytes.begin() + 1, report.bytes.end(), link.image.page(page).begin()));
    }
    EXPECT_EQ(dataReports, 5);
}

TEST(FeatureProtocol, StatusReplySetsThePairWhateverItsCommandByte)
{
    for (std::uint8_t command : {0x00, 0x80, 0x5A}) {
        Link link(false);
        link.device.statusHandle = std::make_unique<FixedStatusDevice>(
            std::array<std::uint8_t, 8>{0x01, 0xAA, 0xCC, 0xEE, 0xDD, command, 0x02, 0x01});
        EXPECT_TRUE(link.protocol.getDpiStage());
        EXPECT_EQ(link.image.usbReportRate(), 0x02);
        EXPECT_EQ(link.image.sensorDpiStage(), 0x01);
    }
}

TEST(FeatureProtocol, HandshakeIgnoresByteZeroButTheStatusQueryDoesNot)
{
    const std::array<std::uint8_t, 8> reply{0x07, 0xAA, 0xCC, 0xEE, 0xDD, 0x80, 0x04, 0x02};
    Link query(false);
    query.device.statusHandle = std::make_unique<FixedStatusDevice>(reply);
    query.image.setUsbReportRate(9);
    EXPECT_FALSE(query.protocol.getDpiStage());
    EXPECT_EQ(query.image.usbReportRate(), 9);
    EXPECT_EQ(query.failures.operations(), std::vector<std::string>{"GetDPIStage"});

    Link write(false);
    write.device.statusHandle = std::make_unique<FixedStatusDevice>(reply);
    EXPECT_TRUE(write.protocol.writeOperation());
    EXPECT_TRUE(write.failures.empty());
}

TEST(FeatureProtocol, FailedSignatureStopsEachOperation)
{
    Link read;
    read.mouse.failAt(1, SimulatedFault::BadSignature);
    read.image.setUsbReportRate(4);
    EXPECT_FALSE(read.protocol.readOperation());
    EXPECT_EQ(read.failures.operations(), std::vector<std::string>{"ReadOperation"});
    EXPECT_EQ(read.mouse.exchangeCount(), 2);   // no page fetched
    EXPECT_EQ(read.image.usbReportRate(), 4);   // pair kept

    Link write;
    const ConfigImage before = write.mouse.firmware().image();
    write.image.setUsbReportRate(8);
    write.mouse.failAt(1, SimulatedFault::NoAnswer);
    EXPECT_FALSE(write.protocol.writeOperation());
    EXPECT_EQ(write.failures.operations(), std::vector<std::string>{"WriteOperation"});
    EXPECT_EQ(write.mouse.exchangeCount(), 2);  // nothing sent after the handshake
    EXPECT_EQ(write.mouse.firmware().image(), before);
    EXPECT_TRUE(write.clock.pauses.empty());
}

// The read takes 17 exchanges: the query pair, then per page its command,
// the dropped status reply and the data fetch.
constexpr int kReadExchanges = 17;
// The write takes 18: the handshake pair, the status pair, then per page
// its command, the dropped status reply and the page.
constexpr int kWriteExchanges = 18;

constexpr std::array<SimulatedFault, 3> kTransportFaults{SimulatedFault::NoAnswer, SimulatedFault::Vanished,
                                                         SimulatedFault::Short};

TEST(FeatureProtocol, OnlyACompleteReadOfAnotherSensorTypeTellsTheListener)
{
    Link link;
    int told = 0;
    link.device.setSensorTypeListener([&told] { ++told; });
    ASSERT_TRUE(link.protocol.readMouse());
    EXPECT_EQ(told, 1);   // 0 before, 1 in the simulated mouse
    ASSERT_TRUE(link.protocol.readMouse());
    EXPECT_EQ(told, 1);   // the same sensor again is no news

    ConfigImage image = MouseFirmware::factoryImage();
    image.page(4)[ConfigImage::kPage4SensorType] = 2;
    link.mouse.firmware().setImage(image);
    link.mouse.failAt(link.mouse.exchangeCount() + 2 + 3 * 3 + 2, SimulatedFault::NoAnswer);
    EXPECT_FALSE(link.protocol.readMouse());
    EXPECT_EQ(told, 1);   // a partial image tells nothing
    ASSERT_TRUE(link.protocol.readMouse());
    EXPECT_EQ(told, 2);
    EXPECT_EQ(link.device.sensorType(), 2);
}

TEST(FeatureProtocol, AnyFailedExchangeStopsTheReadAndLeavesNoCompleteImage)
{
    for (const SimulatedFault fault : kTransportFaults) {
        for (int exchange = 0; exchange < kReadExchanges; ++exchange) {
            SCOPED_TRACE("fault " + std::to_string(static_cast<int>(fault)) + " at " + std::to_string(exchange));
            Link link;
            link.device.setSensorType(3);
            link.mouse.failAt(exchange, fault);
            EXPECT_FALSE(link.protocol.readMouse());
            EXPECT_FALSE(link.image.isCompleteRead());
            EXPECT_EQ(link.device.sensorType(), 3);   // not taken from a partial image
            EXPECT_EQ(link.failures.operations(), std::vector<std::string>{"ReadOperation"});
            ASSERT_TRUE(link.protocol.lastFailure());
            EXPECT_EQ(link.protocol.lastFailure()->page, exchange < 2 ? 0 : (exchange - 2) / 3 + 1);
            EXPECT_EQ(link.mouse.exchangeCount(), exchange + 1);   // nothing after the failed exchange
        }
    }
    Link clean;
    EXPECT_TRUE(clean.protocol.readMouse());
    EXPECT_TRUE(clean.image.isCompleteRead());
    EXPECT_FALSE(clean.protocol.lastFailure());
}

TEST(FeatureProtocol, AnyFailedExchangeEndsTheWriteAtOnce)
{
    for (const SimulatedFault fault : kTransportFaults) {
        for (int exchange = 0; exchange < kWriteExchanges; ++exchange) {
            SCOPED_TRACE("fault " + std::to_string(static_cast<int>(fault)) + " at " + std::to_string(exchange));
            Link link;
            link.image = link.mouse.firmware().image();
            link.image.page(5)[0] ^= 0xFF;
            link.mouse.failAt(exchange, fault);
            EXPECT_FALSE(link.protocol.writeOperation());
            EXPECT_EQ(link.failures.operations(), std::vector<std::string>{"WriteOperation"});
            EXPECT_EQ(link.mouse.exchangeCount(), exchange + 1);
            // Page 5 is the last exchange: a failure anywhere keeps the old byte.
            EXPECT_NE(link.mouse.firmware().image().page(5)[0], link.image.page(5)[0]);
        }
    }
}

TEST(FeatureProtocol, OnlyCheckedStatusRepliesCanFailTheirSignature)
{
    // The query reply is checked; the replies to page commands are dropped unread.
    Link read;
    read.mouse.failAt(1, SimulatedFault::BadSignature);
    EXPECT_FALSE(read.protocol.readMouse());
    EXPECT_EQ(read.protocol.lastFailure()->problem, "the status reply has no valid signature");
    Link pageReply;
    pageReply.mouse.failAt(3, SimulatedFault::BadSignature);
    EXPECT_TRUE(pageReply.protocol.readMouse());
    EXPECT_TRUE(pageReply.image.isCompleteRead());
}

TEST(FeatureProtocol, MissingHandlesFailTheCheck)
{
    Link link;
    link.device.closeHandles();
    EXPECT_FALSE(link.protocol.readMouse());
    EXPECT_EQ(link.failures.operations(), std::vector<std::string>{"ReadOperation"});
    EXPECT_EQ(link.image, ConfigImage{});
}

TEST(FeatureProtocol, AFailureNamesTheExchangeThatEndedItAndIsToldAsItHappens)
{
    struct Case {
        bool write;
        int exchange;
        SimulatedFault fault;
        int page;
        ProtocolExchange failed;
    };
    // Read: query set 0, get 1, then for page n command 3n-1, reply 3n, data 3n+1.
    // Write: query set 0, get 1, pair set 2, then for page n command 3n, reply 3n+1, data 3n+2.
    const std::array cases{
        Case{false, 0, SimulatedFault::NoAnswer, 0, ProtocolExchange::StatusSet},
        Case{false, 1, SimulatedFault::NoAnswer, 0, ProtocolExchange::StatusGet},
        Case{false, 1, SimulatedFault::BadSignature, 0, ProtocolExchange::StatusSignature},
        Case{false, 4, SimulatedFault::Short, 1, ProtocolExchange::DataGet},
        Case{false, 9, SimulatedFault::NoAnswer, 3, ProtocolExchange::StatusGet},
        Case{true, 2, SimulatedFault::NoAnswer, 0, ProtocolExchange::StatusSet},
        Case{true, 8, SimulatedFault::NoAnswer, 2, ProtocolExchange::DataSet},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.write ? "write at " : "read at ") + std::to_string(c.exchange));
        Link link;
        link.image = link.mouse.firmware().image();
        link.mouse.failAt(c.exchange, c.fault);
        const ProtocolResult result = c.write ? link.protocol.writeOperation() : link.protocol.readOperation();
        ASSERT_FALSE(result);
        const ProtocolFailure& failure = *result.failure();
        EXPECT_EQ(failure.operation, c.write ? "WriteOperation" : "ReadOperation");
        EXPECT_EQ(failure.page, c.page);
        EXPECT_EQ(failure.exchange, c.failed);
        // The simulated mouse is no system device: there is no errno to keep.
        EXPECT_FALSE(failure.error);
        // The handler heard of the same failure, once, before the operation returned.
        ASSERT_EQ(link.failures.protocolFailures.size(), 1u);
        EXPECT_EQ(link.failures.protocolFailures[0].page, failure.page);
        EXPECT_EQ(link.failures.protocolFailures[0].exchange, failure.exchange);
        ASSERT_TRUE(link.protocol.lastFailure());
        EXPECT_EQ(link.protocol.lastFailure()->exchange, failure.exchange);
    }
}
