#include "AppTestRig.h"
#include "../platform/BroadcastBytes.h"

#include "app/NativeHotplugWatcher.h"
#include "platform/DeviceChangeMessage.h"
#include "platform/ScriptedNoticeSource.h"

#include <QAbstractEventDispatcher>
#include <QSignalSpy>
#include <QWidget>

#include <gtest/gtest.h>

namespace kestrel::test {
namespace {

// Hands a message to the application's native event filters as Qt on Windows
// does for every message that reaches a window procedure.
bool deliver(const WindowMessage& message)
{
    qintptr result = 0;
    return QAbstractEventDispatcher::instance()->filterNativeEvent("windows_generic_MSG",
                                                                   const_cast<WindowMessage*>(&message), &result);
}

WindowMessage deviceChange(const void* window, std::uint32_t event, const std::vector<std::uint8_t>& broadcast)
{
    return {window, DeviceChangeMessage::kDeviceChange, event, reinterpret_cast<std::intptr_t>(broadcast.data())};
}

TEST(NativeHotplugWatcher, PassesOnTheMouseNoticesAmongTheApplicationsNativeMessages)
{
    const int window = 0;
    const int otherWindow = 0;
    const auto mouse = interfaceBroadcast(kMouseInterface);
    auto watcher = std::make_unique<NativeHotplugWatcher>(std::make_unique<ScriptedNoticeSource>(&window));
    QSignalSpy changes(watcher.get(), &HotplugWatcher::deviceChanged);
    // The window's own handling of the message goes on.
    EXPECT_FALSE(deliver(deviceChange(&window, kArrival, mouse)));
    deliver(deviceChange(&otherWindow, kArrival, mouse));
    deliver(deviceChange(&window, kArrival, interfaceBroadcast(kOtherInterface)));
    deliver(deviceChange(&window, kRemoveComplete, mouse));
    ASSERT_EQ(changes.size(), 2);
    EXPECT_EQ(changes[0][0].value<DeviceChange>(), DeviceChange::Arrival);
    EXPECT_EQ(changes[1][0].value<DeviceChange>(), DeviceChange::Removal);
    // Gone, it no longer filters: a message then reaches no freed watcher.
    watcher.reset();
    EXPECT_FALSE(deliver(deviceChange(&window, kArrival, mouse)));
}

TEST(NativeHotplugWatcher, TheFourthDeviceChangeMessageToTheMainWindowLosesTheMouse)
{
    AppTestRig rig;
    rig.platform->policyMode = HotplugPolicy::Mode::Counter;
    const void* mainWindow = nullptr;
    AppEnvironment environment = rig.environment();
    environment.policyMode = rig.platform->hotplugPolicyMode();
    environment.makeHotplugWatcher = [&rig, &mainWindow](QWidget& window) {
        mainWindow = reinterpret_cast<const void*>(window.winId());
        return NativeHotplugWatcher::forWindow(*rig.platform, window);
    };
    rig.app = std::make_unique<Application>(std::move(environment), rig.prompter);
    ASSERT_EQ(rig.app->start(), Application::StartResult::Running);
    ASSERT_TRUE(rig.state().device.present);
    ASSERT_NE(mainWindow, nullptr);

    rig.mouse->vanish();
    const auto mouse = interfaceBroadcast(kMouseInterface);
    for (int i = 0; i < 3; ++i)
        deliver(deviceChange(mainWindow, kRemoveComplete, mouse));
    EXPECT_TRUE(rig.state().device.present);
    deliver(deviceChange(mainWindow, kRemoveComplete, mouse));
    EXPECT_FALSE(rig.state().device.present);
}

TEST(NativeHotplugWatcher, ARefusedRegistrationStopsStartUpAsBefore)
{
    AppTestRig rig;
    rig.platform->noticesRefused = true;
    AppEnvironment environment = rig.environment();
    environment.makeHotplugWatcher = [&rig](QWidget& window) {
        return NativeHotplugWatcher::forWindow(*rig.platform, window);
    };
    rig.app = std::make_unique<Application>(std::move(environment), rig.prompter);
    ASSERT_EQ(rig.app->start(), Application::StartResult::Running);
    EXPECT_EQ(rig.app->startupOutcome(), StartupSequence::Outcome::StoppedAtRegistration);
}

TEST(NativeHotplugWatcher, TheSimulatedMouseFollowsNoticesOnlyWhereTheyComeAsWindowMessages)
{
    const auto mouse = interfaceBroadcast(kMouseInterface);
    const BackendChoice simulated{true, std::nullopt};
    auto platform = std::make_shared<ScriptedPlatformServices>();
    QWidget window;
    const void* handle = reinterpret_cast<const void*>(window.winId());

    // Device-change messages: the simulated mouse follows this model's.
    auto watcher = AppEnvironment::hotplugWatcherFor(simulated, platform)(window);
    ASSERT_NE(watcher, nullptr);
    QSignalSpy changes(watcher.get(), &HotplugWatcher::deviceChanged);
    deliver(deviceChange(handle, kArrival, interfaceBroadcast(kOtherInterface)));
    deliver(deviceChange(handle, kArrival, mouse));
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0][0].value<DeviceChange>(), DeviceChange::Arrival);
    watcher.reset();

    // Notices from the kernel alone: the simulated mouse asks the platform
    // for none, even where it would refuse them, and hears of nothing.
    platform->noticesAsWindowMessages = false;
    platform->noticesRefused = true;
    auto quiet = AppEnvironment::hotplugWatcherFor(simulated, platform)(window);
    ASSERT_NE(quiet, nullptr);
    QSignalSpy none(quiet.get(), &HotplugWatcher::deviceChanged);
    deliver(deviceChange(handle, kArrival, mouse));
    EXPECT_TRUE(none.isEmpty());
    // The real mouse takes the platform's notices as ever, and their refusal.
    EXPECT_EQ(AppEnvironment::hotplugWatcherFor(BackendChoice{}, platform)(window), nullptr);
}

TEST(NativeHotplugWatcher, TheSimulatedMouseIsReadAgainOnTheFourthArrivalMessage)
{
    AppTestRig rig;
    const void* mainWindow = nullptr;
    AppEnvironment environment = rig.environment();
    environment.policyMode = rig.platform->hotplugPolicyMode();
    const auto simulatedWatcher = AppEnvironment::hotplugWatcherFor(BackendChoice{true, std::nullopt}, rig.platform);
    environment.makeHotplugWatcher = [&mainWindow, simulatedWatcher](QWidget& window) {
        mainWindow = reinterpret_cast<const void*>(window.winId());
        return simulatedWatcher(window);
    };
    rig.app = std::make_unique<Application>(std::move(environment), rig.prompter);
    ASSERT_EQ(rig.app->start(), Application::StartResult::Running);
    ASSERT_NE(mainWindow, nullptr);
    const int exchanges = rig.mouse->exchangeCount();

    const auto mouse = interfaceBroadcast(kMouseInterface);
    for (int i = 0; i < 3; ++i)
        deliver(deviceChange(mainWindow, kArrival, mouse));
    EXPECT_EQ(rig.mouse->exchangeCount(), exchanges);
    EXPECT_FALSE(rig.dlg().notificationArea().trayIcon()->lastBalloon());
    deliver(deviceChange(mainWindow, kArrival, mouse));
    EXPECT_GT(rig.mouse->exchangeCount(), exchanges);
    EXPECT_EQ(rig.dlg().notificationArea().trayIcon()->lastBalloon(),
              (Balloon{"The system detect the gaming mouse.", "Info", 100}));
    EXPECT_TRUE(rig.state().device.present);
}

} // namespace
} // namespace kestrel::test
