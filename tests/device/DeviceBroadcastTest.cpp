#include "device/DeviceBroadcast.h"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace kestrel {
namespace {

constexpr std::uint32_t kArrival = 0x8000;
constexpr std::uint32_t kRemoveComplete = 0x8004;
constexpr std::uint32_t kInterface = 5;

void putWord(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A device-interface broadcast as Windows lays it out, the name in UTF-16LE
// with its terminating zero; the stated size covers the whole structure.
std::vector<std::uint8_t> broadcast(std::u16string_view name, std::uint32_t deviceType = kInterface)
{
    std::vector<std::uint8_t> bytes(DeviceBroadcast::kNameOffset + 2 * (name.size() + 1), 0);
    putWord(bytes, 0, static_cast<std::uint32_t>(bytes.size()));
    putWord(bytes, 4, deviceType);
    for (std::size_t i = 0; i < name.size(); ++i) {
        bytes[DeviceBroadcast::kNameOffset + 2 * i] = static_cast<std::uint8_t>(name[i] & 0xFF);
        bytes[DeviceBroadcast::kNameOffset + 2 * i + 1] = static_cast<std::uint8_t>(name[i] >> 8);
    }
    return bytes;
}

constexpr std::u16string_view kMouseName =
    u"\\\\?\\HID#VID_04D9&PID_A09E&MI_01&Col02#8&2d1c3f7&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}";

TEST(DeviceBroadcast, DecodesTheMouseArrivalsAndRemovals)
{
    const auto arrival = DeviceBroadcast::decode(kArrival, broadcast(kMouseName));
    ASSERT_TRUE(arrival);
    EXPECT_EQ(arrival->kind, DeviceChange::Arrival);
    EXPECT_EQ(arrival->deviceName,
              "\\\\?\\HID#VID_04D9&PID_A09E&MI_01&Col02#8&2d1c3f7&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}");

    const auto removal = DeviceBroadcast::decode(kRemoveComplete, broadcast(u"\\\\?\\hid#Vid_04d9&Pid_a09e#ü"));
    ASSERT_TRUE(removal);
    EXPECT_EQ(removal->kind, DeviceChange::Removal);
    EXPECT_EQ(removal->deviceName, "\\\\?\\hid#Vid_04d9&Pid_a09e#ü");
}

TEST(DeviceBroadcast, IgnoresOtherEventsDevicesAndSpellings)
{
    EXPECT_FALSE(DeviceBroadcast::decode(0x8001, broadcast(kMouseName)));  // query remove
    EXPECT_FALSE(DeviceBroadcast::decode(kArrival, broadcast(kMouseName, 6)));  // a handle notice
    EXPECT_FALSE(DeviceBroadcast::decode(kArrival, broadcast(u"\\\\?\\hid#vid_04d9&pid_a09e#1")));
    EXPECT_FALSE(DeviceBroadcast::decode(kArrival, broadcast(u"\\\\?\\HID#VID_046D&PID_C077#1")));
}

TEST(DeviceBroadcast, ReadsNothingBeyondTheStatedSize)
{
    // The mouse's fragment lies past the size the structure states, and the
    // name has no terminating zero within it.
    std::vector<std::uint8_t> bytes = broadcast(u"\\\\?\\HID#VID_04D9&PID_A09E");
    putWord(bytes, 0, static_cast<std::uint32_t>(DeviceBroadcast::kNameOffset + 2 * 8));
    EXPECT_FALSE(DeviceBroadcast::decode(kArrival, bytes));

    // A size beyond the bytes given is cut to them.
    bytes = broadcast(kMouseName);
    putWord(bytes, 0, 0xFFFF);
    EXPECT_TRUE(DeviceBroadcast::decode(kArrival, bytes));

    // Too short for even the header.
    EXPECT_FALSE(DeviceBroadcast::decode(kArrival, std::vector<std::uint8_t>(8, 0)));
    bytes = broadcast(kMouseName);
    putWord(bytes, 0, 8);
    EXPECT_FALSE(DeviceBroadcast::decode(kArrival, bytes));
}

} // namespace
} // namespace kestrel
