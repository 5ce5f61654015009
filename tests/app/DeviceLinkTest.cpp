// The device link as the window follows it: arrivals and removals of the
// simulated mouse through the hot-plug policy and its settle timer.
#include "AppTestRig.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

const Balloon kDetected{"The system detect the gaming mouse.", "Info", 100};
const Balloon kNotDetected{"The system did not detect the gaming mouse!", "Warning", 100};

struct LinkRig : AppTestRig {
    DeviceLinkController& link() { return *app->deviceLink(); }
    std::optional<Balloon> lastBalloon() { return dlg().notificationArea().trayIcon()->lastBalloon(); }
    void notice(DeviceChange change, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            emit watcher->deviceChanged(change);
    }
};

} // namespace

TEST(DeviceLink, ABurstOfArrivalsActsOnceWhenTheSettleTimerRunsOut)
{
    LinkRig rig;
    rig.mousePlugged = false;
    rig.start();
    rig.dlg().notice(5, 8);
    rig.mouse->reappear();
    ConfigImage image = MouseFirmware::factoryImage();
    image.page(4)[ConfigImage::kPage4SensorType] = 2;
    rig.mouse->firmware().setImage(image);

    rig.notice(DeviceChange::Arrival, 3);
    EXPECT_TRUE(rig.link().settleTimer().isActive());
    EXPECT_EQ(rig.link().settleTimer().interval(), 500);
    EXPECT_FALSE(rig.state().device.present);

    rig.link().settle();
    EXPECT_TRUE(rig.state().device.present);
    EXPECT_TRUE(rig.state().device.scrambling);
    EXPECT_EQ(rig.state().image, rig.mouse->firmware().image());
    EXPECT_EQ(rig.state().device.sensorType(), 2);
    EXPECT_EQ(rig.lastBalloon(), kDetected);

    // A timer that runs out with nothing pending does nothing.
    const int exchanges = rig.mouse->exchangeCount();
    rig.link().settle();
    EXPECT_EQ(rig.mouse->exchangeCount(), exchanges);
}

TEST(DeviceLink, AnArrivalWhoseReadFailsLeavesNoImageToSend)
{
    LinkRig rig;
    rig.mousePlugged = false;
    rig.start();
    rig.mouse->reappear();
    ConfigImage image = MouseFirmware::factoryImage();
    image.page(4)[ConfigImage::kPage4SensorType] = 2;
    rig.mouse->firmware().setImage(image);
    // The data fetch of page 4 goes unanswered.
    rig.mouse->failAt(rig.mouse->exchangeCount() + 2 + 3 * 3 + 2, SimulatedFault::NoAnswer);

    rig.notice(DeviceChange::Arrival);
    rig.link().settle();
    EXPECT_TRUE(rig.state().device.present);
    EXPECT_FALSE(rig.state().image.isCompleteRead());
    EXPECT_NE(rig.state().device.sensorType(), 2);   // not taken from the partial image
    ASSERT_FALSE(rig.prompter.messages.empty());
    EXPECT_EQ(rig.prompter.messages.back().caption, "ReadOperation");
}

TEST(DeviceLink, ARemovalWithTheMouseGoneHidesTheWindowAndWarns)
{
    LinkRig rig;
    rig.start();
    rig.dlg().notificationArea().trayIcon()->activate(QSystemTrayIcon::Trigger);
    ASSERT_TRUE(rig.dlg().isVisible());
    rig.mouse->vanish();
    rig.notice(DeviceChange::Removal, 2);
    rig.link().settle();
    EXPECT_FALSE(rig.state().device.present);
    EXPECT_FALSE(rig.dlg().isVisible());
    EXPECT_EQ(rig.lastBalloon(), kNotDetected);

    // Now a click on the icon only warns.
    rig.dlg().notice(8, 2);
    rig.dlg().notificationArea().trayIcon()->activate(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(rig.dlg().isVisible());
    EXPECT_EQ(rig.lastBalloon(), kNotDetected);
}

TEST(DeviceLink, ARemovalOfSomethingElseKeepsTheMouseWithoutANotice)
{
    LinkRig rig;
    rig.start();
    const int exchanges = rig.mouse->exchangeCount();
    rig.notice(DeviceChange::Removal);
    rig.link().settle();
    EXPECT_TRUE(rig.state().device.present);
    EXPECT_FALSE(rig.lastBalloon());
    // Re-opened, but not read again.
    EXPECT_EQ(rig.mouse->exchangeCount(), exchanges);
}

TEST(DeviceLink, TheCounterPolicyActsOnEveryFourthNotice)
{
    LinkRig rig;
    rig.mousePlugged = false;
    AppEnvironment environment = rig.environment();
    environment.policyMode = HotplugPolicy::Mode::Counter;
    rig.app = std::make_unique<Application>(std::move(environment), rig.prompter);
    ASSERT_EQ(rig.app->start(), Application::StartResult::Running);
    rig.mouse->reappear();
    rig.notice(DeviceChange::Arrival, 3);
    EXPECT_FALSE(rig.state().device.present);
    EXPECT_FALSE(rig.link().settleTimer().isActive());
    rig.notice(DeviceChange::Arrival);
    EXPECT_TRUE(rig.state().device.present);
    EXPECT_EQ(rig.lastBalloon(), kDetected);
}

TEST(DeviceLink, TheProtocolSpeaksTheChosenLanguageOnceStartupHasChosenIt)
{
    LinkRig rig;
    rig.writeStrIni("[Skins]\nLan=CHT\n");
    rig.start();
    rig.mouse->failAt(rig.mouse->exchangeCount() + 1, SimulatedFault::BadSignature);
    rig.link().protocol().getDpiStage();
    ASSERT_EQ(rig.prompter.messages.size(), 1u);
    EXPECT_EQ(rig.prompter.messages[0], (ShownMessage{"系統沒有檢測到遊戲滑鼠！", "GetDPIStage"}));
}
