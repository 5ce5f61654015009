#include "BroadcastBytes.h"

#include "platform/DeviceChangeMessage.h"
#include "platform/PlatformServicesFactory.h"
#include "platform/ScriptedPlatformServices.h"
#include "platform/WindowsVersion.h"

#include <gtest/gtest.h>

#include <string>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrel {
namespace {

constexpr std::uint32_t kXkbLeftCtrl = 29 + 8;
constexpr std::uint32_t kXkbLeftWindows = 125 + 8;

TEST(WindowsVersion, OnlyMajorSixMinorTwoIsSixPointTwo)
{
    // GetVersion: build number in the high word, minor then major in the low one.
    EXPECT_TRUE(WindowsVersion::is62(0x23F00206));
    EXPECT_TRUE(WindowsVersion::is62(0x00000206));
    EXPECT_FALSE(WindowsVersion::is62(0x1DB10106)); // 6.1
    EXPECT_FALSE(WindowsVersion::is62(0x25800306)); // 6.3
    EXPECT_FALSE(WindowsVersion::is62(0x4A61000A)); // 10.0
    EXPECT_FALSE(WindowsVersion::is62(0x00000602)); // 2.6, the bytes the other way round
}

TEST(PlatformServices, ThisSystemsServicesFollowUdevXkbAndTheInstanceSocket)
{
    const auto services = PlatformServicesFactory::forThisSystem();
    ASSERT_NE(services, nullptr);
    EXPECT_FALSE(services->reportsWindows62());
    EXPECT_EQ(services->hotplugPolicyMode(), HotplugPolicy::Mode::Burst);
    // udev notices come from the kernel alone, never as window messages.
    EXPECT_FALSE(services->noticesComeAsWindowMessages());
    EXPECT_EQ(services->keyNamer().nameOf(kXkbLeftCtrl), "Ctrl");
    EXPECT_TRUE(services->keyNamer().isWindowsKey(kXkbLeftWindows));

    const std::string name = "kestrel-platform-test." + std::to_string(::getpid());
    const auto first = services->makeInstanceLock(name);
    const auto second = services->makeInstanceLock(name);
    ASSERT_EQ(first->acquire(), InstanceLock::Outcome::Acquired);
    EXPECT_EQ(second->acquire(), InstanceLock::Outcome::HeldByAnotherCopy);
    const int socket = first->takeListeningSocket();
    ASSERT_NE(socket, -1);
    int listening = 0;
    socklen_t size = sizeof listening;
    ASSERT_EQ(::getsockopt(socket, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size), 0);
    EXPECT_EQ(listening, 1);
    EXPECT_EQ(first->takeListeningSocket(), -1);
    ::close(socket);
}

TEST(PlatformServices, UdevNeedsNoWindow)
{
    const auto services = PlatformServicesFactory::forThisSystem();
    bool windowAsked = false;
    const auto source = services->openDeviceNotices([&windowAsked] {
        windowAsked = true;
        return nullptr;
    });
    EXPECT_FALSE(windowAsked);
    // Where udev runs, its monitor's socket is what to watch.
    if (source) {
        struct stat status {};
        ASSERT_EQ(::fstat(source->descriptor(), &status), 0);
        EXPECT_TRUE(S_ISSOCK(status.st_mode));
    }
}

TEST(ScriptedPlatformServices, AnswersWhatTheTestSet)
{
    ScriptedPlatformServices services;
    EXPECT_FALSE(services.reportsWindows62());
    services.windows62 = true;
    EXPECT_TRUE(services.reportsWindows62());
    services.lockOutcome = InstanceLock::Outcome::HeldByAnotherCopy;
    const auto lock = services.makeInstanceLock("unused");
    EXPECT_EQ(lock->acquire(), InstanceLock::Outcome::HeldByAnotherCopy);
    EXPECT_EQ(lock->takeListeningSocket(), -1);
    EXPECT_EQ(services.keyNamer().nameOf(kXkbLeftCtrl), "Ctrl");
    services.noticesRefused = true;
    EXPECT_EQ(services.openDeviceNotices([] { return nullptr; }), nullptr);
}

TEST(ScriptedPlatformServices, NoticesComeAsMessagesToTheWindowTheyWereOpenedFor)
{
    const ScriptedPlatformServices services;
    int window = 0;
    int otherWindow = 0;
    const auto source = services.openDeviceNotices([&window] { return static_cast<void*>(&window); });
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->descriptor(), -1);
    EXPECT_TRUE(source->readNotices().empty());
    const auto mouse = test::interfaceBroadcast(test::kMouseInterface);
    const auto lParam = reinterpret_cast<std::intptr_t>(mouse.data());
    const WindowMessage ours{&window, DeviceChangeMessage::kDeviceChange, test::kRemoveComplete, lParam};
    const WindowMessage theirs{&otherWindow, DeviceChangeMessage::kDeviceChange, test::kRemoveComplete, lParam};
    EXPECT_EQ(source->noticeOfMessage("windows_generic_MSG", &ours), DeviceChange::Removal);
    EXPECT_EQ(source->noticeOfMessage("windows_generic_MSG", &theirs), std::nullopt);
    EXPECT_EQ(source->noticeOfMessage("windows_generic_MSG", nullptr), std::nullopt);
    EXPECT_EQ(services.hotplugPolicyMode(), HotplugPolicy::Mode::Counter);
}

} // namespace
} // namespace kestrel
