#include "../config/FileTestSupport.h"
#include "../device/FakeHidBackend.h"
#include "../device/ReportDescriptors.h"

#include "device/Clock.h"
#include <DeviceCommands.h>
#include "device/FeatureProtocol.h"
#include <HotplugMonitor.h>
#include <KestrelCtl.h>
#include "device/sim/SimulatedMouse.h"

#include "CtlRunSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace kestrel;
using kestrel::test::CtlRun;
using kestrel::test::runCtl;
using namespace kestrel::test;

namespace {

// The monitor over a simulated mouse, its notices scripted.
struct MonitorRig {
    explicit MonitorRig(HotplugPolicy::Mode mode)
        : monitor(out, discovery, state, [this] { return protocol.readMouse().succeeded(); }, mode)
    {
    }

    std::ostringstream out;
    SimulatedMouse mouse;
    DeviceState state;
    ConfigImage image;
    InstantClock clock;
    FeatureProtocol protocol{state, image, clock};
    DeviceDiscovery discovery{mouse, state};
    ctl::HotplugMonitor monitor;
};

} // namespace

TEST(DescriptorCommand, PrintsOneLinePerTopLevelCollection)
{
    const ScratchFolder folder;
    writeFile(folder / "status", kStatusDescriptor);
    writeFile(folder / "multimedia", kMultimediaDescriptor);

    const CtlRun status = runCtl({"descriptor", (folder / "status").string()});
    EXPECT_EQ(status.exitCode, 0);
    EXPECT_EQ(status.out, "usage_page=0x0001 usage=0x0006 feature_length=8\n");
    EXPECT_EQ(status.err, "");

    const CtlRun multimedia = runCtl({"descriptor", (folder / "multimedia").string()});
    EXPECT_EQ(multimedia.exitCode, 0);
    EXPECT_EQ(multimedia.out, "usage_page=0x000C usage=0x0001 feature_length=0\n"
                              "usage_page=0x0001 usage=0x0080 feature_length=0\n"
                              "usage_page=0xFF00 usage=0x0001 feature_length=33\n");
}

TEST(DescriptorCommand, MalformedOrMissingFilesFail)
{
    const ScratchFolder folder;
    writeFile(folder / "truncated", std::vector<std::uint8_t>(kDataDescriptor.begin(), kDataDescriptor.end() - 1));
    writeFile(folder / "empty", std::string_view{});

    const CtlRun truncated = runCtl({"descriptor", (folder / "truncated").string()});
    EXPECT_EQ(truncated.exitCode, 1);
    EXPECT_EQ(truncated.out, "");
    EXPECT_NE(truncated.err.find("malformed report descriptor: collection not closed"), std::string::npos);

    const CtlRun empty = runCtl({"descriptor", (folder / "empty").string()});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_NE(empty.err.find("without any top-level collection"), std::string::npos);

    const CtlRun missing = runCtl({"descriptor", (folder / "missing").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("no such file"), std::string::npos);

    EXPECT_EQ(runCtl({"descriptor"}).exitCode, 2);
    EXPECT_EQ(runCtl({"monitor", "extra"}).exitCode, 2);
    const CtlRun simulated = runCtl({"--simulate", "monitor"});
    EXPECT_EQ(simulated.exitCode, 1);
    EXPECT_NE(simulated.err.find("no hot-plug notices"), std::string::npos);
}

TEST(ListCommand, ListsTheMouseBeyondInterfacesThatCannotBeExamined)
{
    FakeHidBackend backend;
    HidInterfaceInfo refused = hidInterface("keyboard", 0, 0, 0, 0, HidProbe::OpenFailed);
    refused.probeError = 5;
    HidInterfaceInfo pathless = hidInterface("", 0, 0, 0, 0, HidProbe::PathFailed);
    pathless.probeError = 13;
    // A failed attributes query leaves the identity of a mouse collection behind.
    HidInterfaceInfo anonymous = hidInterface("anonymous", 0x04D9, 0xA09E, 2, 65, HidProbe::AttributesFailed);
    anonymous.probeError = 31;
    backend.interfaces = {refused,
                          hidInterface("mouse-status", 0x04D9, 0xA09E, 6, 8),
                          hidInterface("", 0, 0, 0, 0, HidProbe::OpenFailed),
                          pathless,
                          anonymous,
                          hidInterface("mouse-caps", 0x04D9, 0xA09E, 0, 0, HidProbe::CapsFailed),
                          hidInterface("other", 0x046D, 0xC077, 2, 0),
                          hidInterface("mouse-data", 0x04D9, 0xA09E, 2, 65)};
    std::ostringstream out;
    std::ostringstream err;

    EXPECT_EQ(ctl::DeviceCommands(out, err).list(backend), 0);
    EXPECT_EQ(out.str(), "mouse-status usage_page=0x0001 usage=0x0006 feature_length=8 role=status\n"
                         "mouse-data usage_page=0x0001 usage=0x0002 feature_length=65 role=data\n");
    EXPECT_EQ(err.str(), "kestrelctl: keyboard: cannot be examined (error 5)\n"
                         "kestrelctl: HID interface 3: cannot be examined\n"
                         "kestrelctl: HID interface 4: the system gave no device path (error 13)\n"
                         "kestrelctl: anonymous: the system gave no vendor and product (error 31)\n"
                         "kestrelctl: mouse-caps: a collection of the mouse whose capabilities cannot be read\n");
    EXPECT_TRUE(backend.opened.empty());

    backend.interfaces = {refused};
    std::ostringstream none;
    EXPECT_EQ(ctl::DeviceCommands(none, err).list(backend), 1);
    EXPECT_EQ(none.str(), "");
    EXPECT_TRUE(err.str().ends_with("keyboard: cannot be examined (error 5)\n"
                                    "kestrelctl: no mouse found (USB vendor 04D9, product A09E)\n"));
}

TEST(ListCommand, AListTheSystemCutShortFailsAfterNamingWhatItHolds)
{
    FakeHidBackend backend;
    HidInterfaceInfo cut = hidInterface("", 0, 0, 0, 0, HidProbe::ListCut);
    cut.probeError = 1784;
    backend.interfaces = {hidInterface("mouse-status", 0x04D9, 0xA09E, 6, 8),
                          hidInterface("mouse-data", 0x04D9, 0xA09E, 2, 65), cut};
    std::ostringstream out;
    std::ostringstream err;

    EXPECT_EQ(ctl::DeviceCommands(out, err).list(backend), 1);
    EXPECT_EQ(out.str(), "mouse-status usage_page=0x0001 usage=0x0006 feature_length=8 role=status\n"
                         "mouse-data usage_page=0x0001 usage=0x0002 feature_length=65 role=data\n");
    EXPECT_EQ(err.str(), "kestrelctl: the system stopped listing its HID interfaces after 2 (error 1784)\n");

    backend.interfaces = {cut};
    std::ostringstream nothing;
    std::ostringstream why;
    EXPECT_EQ(ctl::DeviceCommands(nothing, why).list(backend), 1);
    EXPECT_EQ(why.str(), "kestrelctl: the system stopped listing its HID interfaces after 0 (error 1784)\n"
                         "kestrelctl: no mouse found (USB vendor 04D9, product A09E)\n");
}

TEST(HotplugMonitor, PrintsNoticesAndTheActionOfEachBurst)
{
    MonitorRig rig(HotplugPolicy::Mode::Burst);
    rig.monitor.startUp();

    rig.mouse.vanish();
    EXPECT_TRUE(rig.monitor.onNotice(DeviceChange::Removal, "/dev/hidraw3"));
    EXPECT_TRUE(rig.monitor.onNotice(DeviceChange::Removal, "/dev/hidraw4"));
    rig.monitor.onSettled();
    rig.mouse.reappear();
    EXPECT_TRUE(rig.monitor.onNotice(DeviceChange::Arrival, "/dev/hidraw3"));
    rig.monitor.onSettled();
    rig.monitor.onSettled();

    EXPECT_EQ(rig.out.str(), "start-up: mouse read, present=1\n"
                             "removal /dev/hidraw3\n"
                             "removal /dev/hidraw4\n"
                             "action after removal: notice 15, window hidden, present=0\n"
                             "arrival /dev/hidraw3\n"
                             "action after arrival: notice 14, mouse read, present=1\n");
    EXPECT_EQ(rig.image, rig.mouse.firmware().image());
}

TEST(HotplugMonitor, CounterActsOnTheFourthNotice)
{
    MonitorRig rig(HotplugPolicy::Mode::Counter);
    rig.mouse.vanish();
    rig.monitor.startUp();
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(rig.monitor.onNotice(DeviceChange::Arrival, "node"));
    const std::string beforeFourth = rig.out.str();
    EXPECT_EQ(beforeFourth, "start-up: notice 15, present=0\narrival node\narrival node\narrival node\n");
    EXPECT_FALSE(rig.monitor.onNotice(DeviceChange::Removal, "node"));
    EXPECT_EQ(rig.out.str().substr(beforeFourth.size()),
              "removal node\naction after removal: notice 15, window hidden, present=0\n");
}
