#include "BroadcastBytes.h"

#include "device/HotplugPolicy.h"
#include "platform/DeviceChangeMessage.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace kestrel {
namespace {

using test::interfaceBroadcast;

constexpr std::string_view kGeneric = "windows_generic_MSG";
const int kWindow = 0;
const void* const kOurWindow = &kWindow;

WindowMessage deviceChange(std::uint32_t event, const std::vector<std::uint8_t>& broadcast,
                           const void* window = kOurWindow)
{
    return {window, DeviceChangeMessage::kDeviceChange, event, reinterpret_cast<std::intptr_t>(broadcast.data())};
}

std::optional<DeviceChange> decode(const WindowMessage& message, std::string_view eventType = kGeneric)
{
    return DeviceChangeMessage::noticeOf(eventType, message, kOurWindow);
}

TEST(DeviceChangeMessage, ReadsTheMouseArrivalAndRemovalFromTheBroadcastBytes)
{
    const auto mouse = interfaceBroadcast(test::kMouseInterface);
    EXPECT_EQ(decode(deviceChange(test::kArrival, mouse)), DeviceChange::Arrival);
    EXPECT_EQ(decode(deviceChange(test::kRemoveComplete, mouse)), DeviceChange::Removal);
}

TEST(DeviceChangeMessage, IgnoresEverythingThatIsNotTheMouseComingOrGoingAtOurWindow)
{
    const auto mouse = interfaceBroadcast(test::kMouseInterface);
    EXPECT_EQ(decode(deviceChange(test::kArrival, interfaceBroadcast(test::kOtherInterface))), std::nullopt);
    const int otherWindow = 0;
    EXPECT_EQ(decode(deviceChange(test::kArrival, mouse, &otherWindow)), std::nullopt);
    // The event loop's kind would hand the same message over a second time.
    EXPECT_EQ(decode(deviceChange(test::kArrival, mouse), "windows_dispatcher_MSG"), std::nullopt);
    WindowMessage paint = deviceChange(test::kArrival, mouse);
    paint.message = 0x000F;
    EXPECT_EQ(decode(paint), std::nullopt);
    // Events without a broadcast: lParam is no pointer and must not be read.
    EXPECT_EQ(decode({kOurWindow, DeviceChangeMessage::kDeviceChange, test::kDevNodesChanged, 0x1234}), std::nullopt);
    EXPECT_EQ(decode({kOurWindow, DeviceChangeMessage::kDeviceChange, test::kArrival, 0}), std::nullopt);
}

TEST(DeviceChangeMessage, NeverReadsBeyondTheSizeTheBroadcastStates)
{
    // A record only as long as it states, shorter than a header: reading
    // past it would read past the allocation (which the sanitizer build catches).
    std::vector<std::uint8_t> shortRecord(8, 0);
    shortRecord[0] = 8;
    EXPECT_EQ(decode(deviceChange(test::kArrival, shortRecord)), std::nullopt);
    auto truncated = interfaceBroadcast(test::kMouseInterface);
    // Stated to end inside the name: the cut name no longer names the mouse.
    truncated[0] = static_cast<std::uint8_t>(DeviceBroadcast::kNameOffset + 20);
    EXPECT_EQ(decode(deviceChange(test::kArrival, truncated)), std::nullopt);
}

TEST(DeviceChangeMessage, FourDecodedNoticesMakeOneActionOfTheCounterPolicy)
{
    const auto mouse = interfaceBroadcast(test::kMouseInterface);
    const auto other = interfaceBroadcast(test::kOtherInterface);
    HotplugPolicy policy(HotplugPolicy::Mode::Counter);
    std::vector<std::optional<DeviceChange>> actions;
    const auto deliver = [&](std::uint32_t event, const std::vector<std::uint8_t>& broadcast) {
        if (const auto change = decode(deviceChange(event, broadcast)))
            actions.push_back(policy.onNotice(*change).actNow);
    };
    // An unplug of the mouse amid notices of another device: only the
    // mouse's four count, and the fourth acts.
    for (int i = 0; i < 4; ++i) {
        deliver(test::kRemoveComplete, mouse);
        deliver(test::kArrival, other);
    }
    ASSERT_EQ(actions.size(), 4u);
    EXPECT_EQ(actions[0], std::nullopt);
    EXPECT_EQ(actions[1], std::nullopt);
    EXPECT_EQ(actions[2], std::nullopt);
    EXPECT_EQ(actions[3], DeviceChange::Removal);
}

} // namespace
} // namespace kestrel
