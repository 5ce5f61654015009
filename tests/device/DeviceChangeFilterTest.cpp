#include "device/DeviceChangeFilter.h"
#include "device/linux/HidIdentity.h"
#include "device/linux/HidrawNoticeFilter.h"

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

constexpr const char* kUpperPath =
    "\\\\?\\HID#VID_04D9&PID_A09E&MI_01&Col02#8&2a1b3c4d&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr const char* kMixedPath = "\\\\?\\HID#Vid_04d9&Pid_a09e&MI_01#7&1f2e3d4c&0&0000#{4d1e55b2-f16f-11cf}";
constexpr const char* kLowerPath = "\\\\?\\hid#vid_04d9&pid_a09e&mi_01#7&1f2e3d4c&0&0000#{4d1e55b2-f16f-11cf}";

constexpr const char* kMouseNode =
    "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:04D9:A09E.0003/hidraw/hidraw2";
constexpr const char* kOtherNode = "/devices/pci0000:00/0000:00:14.0/usb1/1-3/1-3:1.0/0003:046D:C077.0004/hidraw/hidraw3";
constexpr const char* kVirtualNode = "/devices/virtual/misc/uhid/hidraw5";

} // namespace

TEST(DeviceChangeFilter, WindowsPathsMatchOnlyTheTwoExactSpellings)
{
    EXPECT_TRUE(DeviceChangeFilter::pathNamesMouse(kUpperPath));
    EXPECT_TRUE(DeviceChangeFilter::pathNamesMouse(kMixedPath));
    EXPECT_FALSE(DeviceChangeFilter::pathNamesMouse(kLowerPath));
    EXPECT_FALSE(DeviceChangeFilter::pathNamesMouse("\\\\?\\HID#VID_04D9&PID_A09F#1"));
    EXPECT_FALSE(DeviceChangeFilter::pathNamesMouse(""));

    using F = DeviceChangeFilter;
    EXPECT_EQ(F::classify(F::kDeviceArrival, F::kDeviceTypeInterface, kUpperPath), DeviceChange::Arrival);
    EXPECT_EQ(F::classify(F::kDeviceRemoveComplete, F::kDeviceTypeInterface, kMixedPath), DeviceChange::Removal);
    EXPECT_EQ(F::classify(F::kDeviceRemoveComplete, F::kDeviceTypeInterface, kLowerPath), std::nullopt);
    EXPECT_EQ(F::classify(0x8001, F::kDeviceTypeInterface, kUpperPath), std::nullopt); // removal query
    EXPECT_EQ(F::classify(F::kDeviceArrival, 2, kUpperPath), std::nullopt);            // a volume
}

TEST(HidrawNoticeFilter, MatchesByParentIdentityDevpathOrRecordedAdd)
{
    const HidIdentity mouse{0x0003, 0x04D9, 0xA09E};
    const HidIdentity other{0x0003, 0x046D, 0xC077};
    HidrawNoticeFilter filter;

    EXPECT_EQ(filter.accept("add", kMouseNode, std::nullopt), DeviceChange::Arrival);
    EXPECT_EQ(filter.accept("add", kVirtualNode, mouse), DeviceChange::Arrival);
    EXPECT_EQ(filter.accept("add", kOtherNode, other), std::nullopt);
    EXPECT_EQ(filter.accept("change", kMouseNode, mouse), std::nullopt);

    // On removal sysfs is gone: the name in the path or the record of the add decides.
    EXPECT_EQ(filter.accept("remove", kVirtualNode, std::nullopt), DeviceChange::Removal);
    EXPECT_EQ(filter.accept("remove", kVirtualNode, std::nullopt), std::nullopt);
    EXPECT_EQ(filter.accept("remove", kMouseNode, std::nullopt), DeviceChange::Removal);
    EXPECT_EQ(filter.accept("remove", kMouseNode, std::nullopt), DeviceChange::Removal);
    EXPECT_EQ(filter.accept("remove", kOtherNode, std::nullopt), std::nullopt);
    // Lower-case hex is not how the kernel names the device.
    EXPECT_FALSE(HidrawNoticeFilter::devpathNamesMouse("/devices/x/0003:04d9:a09e.0001/hidraw/hidraw0"));
}

TEST(HidIdentity, ParsesHidIdValuesAndUeventFiles)
{
    const auto mouse = HidIdentity::fromHidId("0003:000004D9:0000A09E");
    ASSERT_TRUE(mouse);
    EXPECT_EQ(mouse->bus, 0x0003);
    EXPECT_TRUE(mouse->isMouse());
    EXPECT_FALSE(HidIdentity::fromHidId("0005:0000046D:0000C077")->isMouse());

    for (const char* bad : {"", "0003", "0003:04D9", "0003:04D9:A09E:", "0003::A09E", "0003:0001FFFF:0001",
                            "0003:04D9:A09G", "0003:04D9:+A09", "0003:04D9:A09E "}) {
        EXPECT_EQ(HidIdentity::fromHidId(bad), std::nullopt) << bad;
    }

    EXPECT_TRUE(HidIdentity::fromUevent("DRIVER=hid-generic\nHID_ID=0003:000004D9:0000A09E\nHID_NAME=x\n"));
    EXPECT_TRUE(HidIdentity::fromUevent("HID_ID=0003:000004D9:0000A09E"));
    EXPECT_FALSE(HidIdentity::fromUevent("DRIVER=hid-generic\nHID_NAME=x\n"));
    EXPECT_FALSE(HidIdentity::fromUevent("XHID_ID=0003:000004D9:0000A09E\n"));
    EXPECT_FALSE(HidIdentity::fromUevent(""));
}
