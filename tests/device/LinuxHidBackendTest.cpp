#include "ProtocolTestSupport.h"
#include "ReportDescriptors.h"
#include "../config/FileTestSupport.h"

#include "device/DeviceDiscovery.h"
#include "device/linux/HidrawAccessMessage.h"
#include "device/linux/LinuxHidBackend.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace kestrel;
using namespace kestrel::test;

namespace {

const std::string kMouseHidId = "0003:000004D9:0000A09E";

// A sysfs and /dev in a temporary folder. The dev folder holds regular files
// in place of device nodes: they open, but every feature request fails.
class FakeSysfs {
public:
    void addNode(const std::string& node, const std::optional<std::string>& hidId,
                 const std::vector<std::uint8_t>& descriptor, bool withDevFile = true)
    {
        const std::filesystem::path device = root_ / "sys/class/hidraw" / node / "device";
        std::filesystem::create_directories(device);
        std::string uevent = "DRIVER=hid-generic\n";
        if (hidId)
            uevent += "HID_ID=" + *hidId + "\n";
        writeFile(device / "uevent", uevent + "HID_NAME=Test Device\nMODALIAS=hid:b0003\n");
        writeFile(device / "report_descriptor", descriptor);
        std::filesystem::create_directories(root_ / "dev");
        if (withDevFile)
            writeFile(root_ / "dev" / node, std::string_view{});
    }

    void addMouse()
    {
        addNode("hidraw1", kMouseHidId, kPointerDescriptor);
        addNode("hidraw2", kMouseHidId, kStatusDescriptor);
        addNode("hidraw10", kMouseHidId, kDataDescriptor);
    }

    std::string dev(const std::string& node) const { return (root_ / "dev" / node).string(); }
    LinuxHidBackend backend() const { return LinuxHidBackend(root_ / "sys", root_ / "dev"); }
    const std::filesystem::path& root() const { return root_.path(); }

private:
    ScratchFolder root_;
};

struct LinuxDiscovery {
    explicit LinuxDiscovery(const FakeSysfs& sysfs)
        : backend(sysfs.backend())
    {
        failures.follow(discovery);
    }

    LinuxHidBackend backend;
    DeviceState state;
    FailureLog failures;
    DeviceDiscovery discovery{backend, state};
};

} // namespace

TEST(LinuxHidBackend, ListsOneInterfacePerTopLevelCollectionInKernelOrder)
{
    FakeSysfs sysfs;
    sysfs.addMouse();
    sysfs.addNode("hidraw0", "0003:0000046D:0000C077", kMultimediaDescriptor);
    sysfs.addNode("hidraw3", std::nullopt, kStatusDescriptor);       // no HID_ID: skipped
    sysfs.addNode("hidraw4", "0005:000004D9:0000A09E", {0x05, 0x01, 0xA1}); // truncated descriptor
    sysfs.addNode("hidraw5", "not an id", kStatusDescriptor);

    const auto interfaces = sysfs.backend().enumerate();
    ASSERT_TRUE(interfaces);
    const std::vector<HidInterfaceInfo> expected{
        {sysfs.dev("hidraw0"), 0x046D, 0xC077, 0x000C, 0x0001, 0, HidProbe::Ok},
        {sysfs.dev("hidraw0"), 0x046D, 0xC077, 0x0001, 0x0080, 0, HidProbe::Ok},
        {sysfs.dev("hidraw0"), 0x046D, 0xC077, 0xFF00, 0x0001, 33, HidProbe::Ok},
        {sysfs.dev("hidraw1"), 0x04D9, 0xA09E, 0x0001, 0x0002, 0, HidProbe::Ok},
        {sysfs.dev("hidraw2"), 0x04D9, 0xA09E, 0x0001, 0x0006, 8, HidProbe::Ok},
        {sysfs.dev("hidraw4"), 0x04D9, 0xA09E, 0, 0, 0, HidProbe::CapsFailed},
        {sysfs.dev("hidraw10"), 0x04D9, 0xA09E, 0x0001, 0x0002, 65, HidProbe::Ok},
    };
    ASSERT_EQ(interfaces->size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const HidInterfaceInfo& got = (*interfaces)[i];
        const HidInterfaceInfo& want = expected[i];
        EXPECT_EQ(std::tie(got.path, got.vendorId, got.productId, got.usagePage, got.usage, got.featureReportLength),
                  std::tie(want.path, want.vendorId, want.productId, want.usagePage, want.usage,
                           want.featureReportLength))
            << "interface " << i;
        EXPECT_EQ(got.probe, want.probe) << "interface " << i;
    }

    const ScratchFolder empty;
    EXPECT_FALSE(LinuxHidBackend(empty.path(), empty.path()).enumerate());
}

TEST(LinuxHidBackend, DiscoveryOpensTheMouseNodes)
{
    FakeSysfs sysfs;
    sysfs.addNode("hidraw0", "0003:0000046D:0000C077", kStatusDescriptor);
    sysfs.addMouse();
    LinuxDiscovery d(sysfs);

    ASSERT_TRUE(d.discovery.openMouse());
    EXPECT_TRUE(d.state.present);
    EXPECT_EQ(d.state.devicePath, sysfs.dev("hidraw10"));
    EXPECT_EQ(d.state.statusReportLength, 8);
    EXPECT_EQ(d.state.dataReportLength, 65);
    EXPECT_TRUE(d.failures.empty());

    // A file that is no hidraw node refuses every feature request, whatever its length.
    std::array<std::uint8_t, 8> status{0x01};
    EXPECT_FALSE(d.state.statusHandle->getFeature(status));
    EXPECT_FALSE(d.state.statusHandle->setFeature(status));
    EXPECT_FALSE(d.state.dataHandle->getFeature(std::span<std::uint8_t>{}));
    std::vector<std::uint8_t> huge(20000);
    EXPECT_FALSE(d.state.dataHandle->getFeature(huge));
    EXPECT_FALSE(d.state.dataHandle->setFeature(huge));
}

TEST(LinuxHidBackend, ARefusedFeatureRequestKeepsTheKernelsErrno)
{
    FakeSysfs sysfs;
    sysfs.addMouse();
    LinuxDiscovery d(sysfs);
    ASSERT_TRUE(d.discovery.openMouse());
    HidDevice& status = *d.state.statusHandle;
    EXPECT_FALSE(status.lastError());

    // A regular file in place of the node: the kernel answers ENOTTY.
    const std::error_code notTty(ENOTTY, std::system_category());
    std::array<std::uint8_t, 8> report{0x01};
    EXPECT_FALSE(status.getFeature(report));
    EXPECT_EQ(status.lastError(), notTty);
    std::vector<std::uint8_t> huge(20000);
    EXPECT_FALSE(status.setFeature(huge));
    EXPECT_EQ(status.lastError(), std::errc::message_size);
    EXPECT_FALSE(status.setFeature(report));
    EXPECT_EQ(status.lastError(), notTty);

    // The errno reaches what the protocol reports, with the exchange it ended.
    ConfigImage image;
    RecordingClock clock;
    FeatureProtocol protocol{d.state, image, clock};
    d.failures.follow(protocol);
    const ProtocolResult read = protocol.readMouse();
    ASSERT_FALSE(read);
    EXPECT_EQ(read.failure()->operation, "ReadOperation");
    EXPECT_EQ(read.failure()->exchange, ProtocolExchange::StatusSet);
    EXPECT_EQ(read.failure()->error, notTty);
    ASSERT_EQ(d.failures.protocolFailures.size(), 1u);
    EXPECT_EQ(d.failures.protocolFailures[0].error, notTty);
}

TEST(LinuxHidBackend, VanishedNodeOrBadDescriptorEndsTheSearch)
{
    FakeSysfs vanished;
    vanished.addNode("hidraw0", kMouseHidId, kStatusDescriptor);
    vanished.addNode("hidraw1", kMouseHidId, kDataDescriptor, false);
    LinuxDiscovery gone(vanished);
    EXPECT_FALSE(gone.discovery.openMouse());
    ASSERT_EQ(gone.failures.discoveryFailures.size(), 1u);
    EXPECT_EQ(gone.failures.discoveryFailures[0].problem, DiscoveryProblem::OpenRefused);
    EXPECT_EQ(gone.failures.discoveryFailures[0].error.value(), ENOENT);
    EXPECT_FALSE(gone.state.statusHandle);

    FakeSysfs broken;
    broken.addNode("hidraw0", kMouseHidId, {0x05, 0x01, 0x09, 0x02, 0xA1});
    broken.addNode("hidraw1", kMouseHidId, kStatusDescriptor);
    broken.addNode("hidraw2", kMouseHidId, kDataDescriptor);
    LinuxDiscovery capsFailed(broken);
    EXPECT_FALSE(capsFailed.discovery.openMouse());
    EXPECT_EQ(capsFailed.failures.problems(), std::vector{DiscoveryProblem::NoCapabilities});
}

TEST(LinuxHidBackend, PermissionFailuresNameTheUdevRule)
{
    FakeSysfs sysfs;
    sysfs.addMouse();
    const std::string node = sysfs.dev("hidraw2");

    for (const int code : {EACCES, EPERM}) {
        const std::string message = hidrawAccessMessage(node, code);
        EXPECT_NE(message.find(node), std::string::npos);
        EXPECT_NE(message.find("70-kestrel.rules"), std::string::npos);
    }
    EXPECT_EQ(hidrawAccessMessage(node, ENOENT), "");
    EXPECT_EQ(hidrawAccessMessage(sysfs.dev("hidraw7"), EACCES), "");
}
