#include "ProtocolTestSupport.h"

#include "device/DeviceChangeHandler.h"
#include "device/FeatureProtocol.h"
#include "device/HotplugPolicy.h"
#include "device/sim/SimulatedMouse.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

struct Notice {
    int kind;
    int value;
    bool operator==(const Notice&) const = default;
};

class RecordingSink final : public DeviceEventSink {
public:
    void notice(int kind, int value) override { notices.push_back({kind, value}); }
    void hideWindow() override { ++hides; }

    std::vector<Notice> notices;
    int hides = 0;
};

// The program's device link over a simulated mouse, wired as the window wires it.
struct HotplugRig {
    HotplugRig()
    {
        failures.follow(protocol);
        failures.follow(discovery);
    }

    SimulatedMouse mouse;
    DeviceState state;
    ConfigImage image;
    RecordingClock clock;
    FailureLog failures;
    RecordingSink sink;
    FeatureProtocol protocol{state, image, clock};
    DeviceDiscovery discovery{mouse, state};
    DeviceChangeHandler handler{discovery, state, sink, [this] { protocol.readMouse(); }};
};

} // namespace

TEST(DeviceChangeHandler, ArrivalReadsTheMouseAndSwitchesScramblingOn)
{
    HotplugRig rig;
    rig.mouse.vanish();
    ASSERT_FALSE(rig.discovery.openMouse());
    rig.failures.clear();

    rig.mouse.reappear();
    EXPECT_EQ(rig.handler.handle(DeviceChange::Arrival), DeviceChangeOutcome::MouseDetected);
    EXPECT_EQ(rig.sink.notices, (std::vector<Notice>{{DeviceEventSink::kNoticeMouseDetected, 0}}));
    EXPECT_EQ(rig.sink.hides, 0);
    EXPECT_TRUE(rig.state.present);
    EXPECT_TRUE(rig.state.scrambling);
    EXPECT_EQ(rig.image, rig.mouse.firmware().image());
    EXPECT_EQ(rig.state.sensorType(), rig.mouse.firmware().image().sensorType());
    EXPECT_TRUE(rig.failures.empty());
}

TEST(DeviceChangeHandler, MissingMouseHidesTheWindowAfterEitherKind)
{
    for (const DeviceChange change : {DeviceChange::Removal, DeviceChange::Arrival}) {
        HotplugRig rig;
        ASSERT_TRUE(rig.discovery.openMouse());
        rig.state.scrambling = true;
        rig.mouse.vanish();

        EXPECT_EQ(rig.handler.handle(change), DeviceChangeOutcome::MouseLost);
        EXPECT_EQ(rig.sink.notices, (std::vector<Notice>{{DeviceEventSink::kNoticeMouseNotDetected, 0}}));
        EXPECT_EQ(rig.sink.hides, 1);
        EXPECT_FALSE(rig.state.present);
        EXPECT_TRUE(rig.state.scrambling);
        EXPECT_EQ(rig.mouse.exchangeCount(), 0);
    }
}

TEST(DeviceChangeHandler, RemovalWithTheMouseStillThereReadsNothing)
{
    HotplugRig rig;
    EXPECT_EQ(rig.handler.handle(DeviceChange::Removal), DeviceChangeOutcome::MouseStillPresent);
    EXPECT_TRUE(rig.state.present);
    EXPECT_TRUE(rig.sink.notices.empty());
    EXPECT_EQ(rig.sink.hides, 0);
    EXPECT_EQ(rig.mouse.exchangeCount(), 0);
    EXPECT_EQ(rig.image, ConfigImage{});
}

TEST(DeviceChangeHandler, BurstOfNodeNoticesActsOncePerPlug)
{
    // Unplug: three hidraw nodes go; plug: three come back.
    HotplugRig rig;
    HotplugPolicy policy(HotplugPolicy::Mode::Burst);
    ASSERT_TRUE(rig.discovery.openMouse());

    rig.mouse.vanish();
    for (int node = 0; node < 3; ++node)
        policy.onNotice(DeviceChange::Removal);
    EXPECT_EQ(rig.handler.handle(*policy.onSettled()), DeviceChangeOutcome::MouseLost);

    rig.mouse.reappear();
    for (int node = 0; node < 3; ++node)
        policy.onNotice(DeviceChange::Arrival);
    EXPECT_EQ(rig.handler.handle(*policy.onSettled()), DeviceChangeOutcome::MouseDetected);
    EXPECT_EQ(rig.sink.notices, (std::vector<Notice>{{DeviceEventSink::kNoticeMouseNotDetected, 0},
                                                     {DeviceEventSink::kNoticeMouseDetected, 0}}));
    EXPECT_TRUE(rig.state.present);
}
