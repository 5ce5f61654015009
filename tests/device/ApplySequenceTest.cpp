#include "ProtocolTestSupport.h"

#include "config/ApplyComposer.h"
#include "device/ApplySequence.h"
#include "config/DefaultSettings.h"
#include "device/sim/SimulatedMouse.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

struct ApplyFixture {
    ApplyFixture()
    {
        failures.follow(protocol);
        const auto interfaces = mouse.enumerate();
        for (const auto& info : *interfaces) {
            if (info.featureReportLength == 8)
                device.statusHandle = mouse.open(info).device;
            if (info.featureReportLength == 65)
                device.dataHandle = mouse.open(info).device;
        }
        protocol.readMouse();
        record = defaultSettingsRecord();
        record.setReportRate(8);
    }

    ApplySequence::Result apply(ApplySequence::OnFailedQuery onFailedQuery)
    {
        return ApplySequence::run(protocol, image, record, device.sensorType(),
                                  [this] {
                                      storedAfterExchanges = mouse.exchangeCount();
                                      storedAfterMessages = failures.protocolFailures.size();
                                  },
                                  onFailedQuery);
    }

    // The settings were stored once the mouse had been told everything and
    // every failure had been shown: nothing happened after the store.
    void expectStoredLast() const
    {
        EXPECT_EQ(storedAfterExchanges, mouse.exchangeCount());
        EXPECT_EQ(storedAfterMessages, failures.protocolFailures.size());
    }

    SimulatedMouse mouse;
    DeviceState device;
    ConfigImage image;
    RecordingClock clock;
    FailureLog failures;
    FeatureProtocol protocol{device, image, clock};
    SettingsRecord record;
    int storedAfterExchanges = -1;
    std::size_t storedAfterMessages = 0;
};

} // namespace

TEST(ApplySequence, SendsTheComposedImageThenStores)
{
    ApplyFixture fixture;
    const ConfigImage asRead = fixture.image;
    const auto result = fixture.apply(ApplySequence::OnFailedQuery::Continue);
    EXPECT_TRUE(result.statusQueried);
    EXPECT_TRUE(result.written);

    ConfigImage expected = asRead;
    ApplyComposer::writeConstantTables(expected);
    ApplyComposer::composeFromSettings(expected, fixture.record, 1);
    EXPECT_EQ(fixture.mouse.firmware().image(), expected);
    EXPECT_EQ(expected.usbReportRate(), 8);
    // Pages 1 and 2 go back exactly as read.
    EXPECT_TRUE(std::ranges::equal(fixture.mouse.firmware().image().page(1), asRead.page(1)));
    EXPECT_TRUE(std::ranges::equal(fixture.mouse.firmware().image().page(2), asRead.page(2)));
    fixture.expectStoredLast();
}

TEST(ApplySequence, FailedStatusQueryContinuesInTheWindowAndStopsInTheTool)
{
    ApplyFixture window;
    window.mouse.failAt(window.mouse.exchangeCount() + 1, SimulatedFault::BadSignature);
    const auto goesOn = window.apply(ApplySequence::OnFailedQuery::Continue);
    EXPECT_FALSE(goesOn.statusQueried);
    EXPECT_TRUE(goesOn.written);
    EXPECT_EQ(window.mouse.firmware().image().usbReportRate(), 8);
    EXPECT_EQ(window.failures.operations(), std::vector<std::string>{"GetDPIStage"});
    window.expectStoredLast();

    ApplyFixture tool;
    const ConfigImage before = tool.mouse.firmware().image();
    const int exchangesBefore = tool.mouse.exchangeCount();
    tool.mouse.failAt(exchangesBefore + 1, SimulatedFault::BadSignature);
    const auto stops = tool.apply(ApplySequence::OnFailedQuery::Stop);
    EXPECT_FALSE(stops.written);
    EXPECT_EQ(tool.mouse.firmware().image(), before);
    EXPECT_GT(tool.mouse.exchangeCount(), exchangesBefore);
    EXPECT_EQ(tool.failures.operations(), std::vector<std::string>{"GetDPIStage"});
    // The settings are stored even when the mouse could not take them, after the failed query.
    tool.expectStoredLast();
}

TEST(ApplySequence, UnpluggedMouseStillStoresTheSettings)
{
    ApplyFixture fixture;
    fixture.mouse.vanish();
    const int exchangesBefore = fixture.mouse.exchangeCount();
    const auto result = fixture.apply(ApplySequence::OnFailedQuery::Continue);
    EXPECT_FALSE(result.statusQueried);
    EXPECT_FALSE(result.written);
    EXPECT_GT(fixture.mouse.exchangeCount(), exchangesBefore);
    EXPECT_EQ(fixture.failures.operations(), (std::vector<std::string>{"GetDPIStage", "WriteOperation"}));
    // Stored after both attempts failed and were shown.
    fixture.expectStoredLast();
}

TEST(ApplySequence, IncompleteImageIsReadAgainAndNeverSentWhenThatFails)
{
    // A start-up read that lost page 2: Apply reads the whole image again and
    // sends pages 1 and 2 as the mouse holds them.
    ApplyFixture recovered;
    const ConfigImage mouseBefore = recovered.mouse.firmware().image();
    recovered.mouse.failAt(recovered.mouse.exchangeCount() + 7, SimulatedFault::NoAnswer);
    recovered.protocol.readMouse();
    ASSERT_FALSE(recovered.image.isCompleteRead());
    recovered.failures.clear();
    const auto result = recovered.apply(ApplySequence::OnFailedQuery::Continue);
    EXPECT_TRUE(result.reread);
    EXPECT_TRUE(result.written);
    EXPECT_TRUE(recovered.failures.empty());
    EXPECT_TRUE(std::ranges::equal(recovered.mouse.firmware().image().page(2), mouseBefore.page(2)));
    recovered.expectStoredLast();

    // A bad signature at start-up and again on the second read: nothing is
    // sent, the read's failure is shown, the settings are stored.
    ApplyFixture failed;
    const ConfigImage untouched = failed.mouse.firmware().image();
    failed.mouse.failAt(failed.mouse.exchangeCount() + 1, SimulatedFault::BadSignature);
    failed.protocol.readMouse();
    failed.failures.clear();
    const int before = failed.mouse.exchangeCount();
    failed.mouse.failAt(before + 1, SimulatedFault::BadSignature);
    const auto refused = failed.apply(ApplySequence::OnFailedQuery::Continue);
    EXPECT_TRUE(refused.reread);
    EXPECT_FALSE(refused.imageRead);
    EXPECT_FALSE(refused.written);
    EXPECT_EQ(failed.mouse.exchangeCount(), before + 2);   // the query pair alone
    EXPECT_EQ(failed.mouse.firmware().image(), untouched);
    EXPECT_EQ(failed.failures.operations(), std::vector<std::string>{"ReadOperation"});
    // Stored after the failed read, not instead of it.
    failed.expectStoredLast();
}
