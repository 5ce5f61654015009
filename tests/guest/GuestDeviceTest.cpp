// The Linux device path against a virtual mouse in a real kernel: sysfs
// enumeration, the descriptor parser on the kernel's own output, the hidraw
// feature ioctls and the kernel's hot-plug notices. Built for the test guest,
// where it runs as root with /dev/uhid; it refuses to start where a mouse of
// the model is already plugged in.

#include "HotplugWatcher.h"
#include "ProtocolTestSupport.h"
#include "VirtualMouseProcess.h"

#include "config/ApplyComposer.h"
#include "device/ApplySequence.h"
#include "config/DefaultSettings.h"
#include "device/DeviceChangeHandler.h"
#include "device/DeviceDiscovery.h"
#include "device/FeatureProtocol.h"
#include "device/linux/LinuxHidBackend.h"
#include "device/sim/MouseFirmware.h"
#include "device/MouseModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sstream>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrel::guest {
namespace {

using namespace std::chrono_literals;

// The kernel adds uhid devices in the background and software emulation is
// slow; a burst that has not settled by then never will.
constexpr auto kBurstTimeout = 20s;
// One notice per hidraw node: pointer, status and data.
constexpr std::size_t kNodesPerMouse = 3;
constexpr uid_t kNobody = 65534;

std::filesystem::path besideThisProgram(const char* name)
{
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

std::vector<HidInterfaceInfo> mouseInterfaces(LinuxHidBackend& backend)
{
    std::vector<HidInterfaceInfo> found;
    for (const HidInterfaceInfo& info : backend.enumerate().value_or(std::vector<HidInterfaceInfo>{})) {
        if (DeviceDiscovery::isMouse(info))
            found.push_back(info);
    }
    return found;
}

// Notice kinds in order, kHidden where the window was hidden.
class RecordingSink final : public DeviceEventSink {
public:
    static constexpr int kHidden = 0;
    void notice(int kind, int) override { events.push_back(kind); }
    void hideWindow() override { events.push_back(kHidden); }
    std::vector<int> events;
};

struct DiscoveryAsNobody {
    bool opened = false;
    std::vector<std::string> messages;
};

// Runs discovery in a child that has dropped root, as the program runs for a
// user whom no rule has given the hidraw nodes.
DiscoveryAsNobody discoverAsNobody()
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(2);
        LinuxHidBackend backend;
        DeviceState state;
        const DiscoveryResult found = DeviceDiscovery(backend, state).openMouse();
        const bool opened = found.succeeded();
        std::string lines;
        if (!opened && found.failure()->problem == DiscoveryProblem::OpenRefused)
            lines += "open refused: " + std::to_string(found.failure()->error.value()) + '\n';
        const bool written = ::write(pipeEnds[1], lines.data(), lines.size()) == static_cast<ssize_t>(lines.size());
        ::_exit(!written ? 2 : opened ? 1 : 0);
    }
    ::close(pipeEnds[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof(buffer))) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);

    DiscoveryAsNobody result;
    result.opened = !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        result.messages.push_back(line);
    return result;
}

class GuestDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        failures_.follow(discovery_);
        failures_.follow(protocol_);
        // Never talk to a real mouse by mistake.
        ASSERT_TRUE(mouseInterfaces(backend_).empty()) << "a mouse of the model is already present";
        watcher_ = HotplugWatcher::create();
        ASSERT_TRUE(watcher_) << "the kernel's netlink source is unavailable";
        std::string error;
        mouse_ = VirtualMouseProcess::start(besideThisProgram("kestrel-virtual-mouse"), error);
        ASSERT_TRUE(mouse_) << error;
        const HotplugWatcher::Burst arrival = watcher_->waitForBurst(kBurstTimeout);
        ASSERT_EQ(arrival.action, DeviceChange::Arrival);
        ASSERT_EQ(arrival.notices.size(), kNodesPerMouse);
    }

    LinuxHidBackend backend_;
    DeviceState state_;
    ConfigImage image_;
    SystemClock clock_;
    test::FailureLog failures_;
    DeviceDiscovery discovery_{backend_, state_};
    FeatureProtocol protocol_{state_, image_, clock_};
    std::unique_ptr<HotplugWatcher> watcher_;
    std::unique_ptr<VirtualMouseProcess> mouse_;
};

TEST_F(GuestDeviceTest, DiscoveryFindsTheTwoCollectionsAndSkipsThePointer)
{
    const std::vector<HidInterfaceInfo> interfaces = mouseInterfaces(backend_);
    ASSERT_EQ(interfaces.size(), kNodesPerMouse);
    const auto withRole = [&](InterfaceRole role) {
        return std::count_if(interfaces.begin(), interfaces.end(),
                             [role](const HidInterfaceInfo& info) { return DeviceDiscovery::roleOf(info) == role; });
    };
    EXPECT_EQ(withRole(InterfaceRole::Status), 1);
    EXPECT_EQ(withRole(InterfaceRole::Data), 1);
    EXPECT_EQ(withRole(InterfaceRole::None), 1);
    for (const HidInterfaceInfo& info : interfaces) {
        EXPECT_EQ(info.probe, HidProbe::Ok) << info.path;
        EXPECT_EQ(info.usagePage, mouse::kGenericDesktopPage) << info.path;
        EXPECT_TRUE(std::filesystem::exists(info.path)) << info.path;
    }
    // The pointer: a mouse-usage collection without feature reports.
    const auto pointer = std::find_if(interfaces.begin(), interfaces.end(), [](const HidInterfaceInfo& info) {
        return DeviceDiscovery::roleOf(info) == InterfaceRole::None;
    });
    ASSERT_NE(pointer, interfaces.end());
    EXPECT_EQ(pointer->usage, mouse::kDataUsage);
    EXPECT_EQ(pointer->featureReportLength, 0);

    ASSERT_TRUE(discovery_.openMouse());
    EXPECT_TRUE(state_.present);
    EXPECT_TRUE(state_.statusHandle && state_.dataHandle);
    EXPECT_EQ(state_.statusReportLength, mouse::kStatusReportLength);
    EXPECT_EQ(state_.dataReportLength, mouse::kDataReportLength);
    EXPECT_TRUE(failures_.empty());
}

TEST_F(GuestDeviceTest, StartupReadReturnsTheVirtualMouseImage)
{
    ASSERT_TRUE(discovery_.openMouse());
    ASSERT_TRUE(protocol_.readMouse());
    EXPECT_TRUE(state_.scrambling);
    EXPECT_EQ(image_, MouseFirmware::factoryImage());
    EXPECT_EQ(state_.sensorType(), MouseFirmware::factoryImage().sensorType());
    EXPECT_TRUE(failures_.empty());
}

TEST_F(GuestDeviceTest, ApplyWritesExactlyTheComposedImage)
{
    ASSERT_TRUE(discovery_.openMouse());
    ASSERT_TRUE(protocol_.readMouse());
    const SettingsRecord settings = defaultSettingsRecord();
    ConfigImage composed = image_;
    ApplyComposer::writeConstantTables(composed);
    ApplyComposer::composeFromSettings(composed, settings, state_.sensorType());
    ASSERT_NE(composed, MouseFirmware::factoryImage()) << "the Apply would change nothing";

    const ApplySequence::Result result = ApplySequence::run(protocol_, image_, settings, state_.sensorType(), {},
                                                            ApplySequence::OnFailedQuery::Stop);
    EXPECT_TRUE(result.statusQueried);
    EXPECT_TRUE(result.written);
    EXPECT_EQ(image_, composed);

    // Read back through freshly opened nodes.
    image_.clear();
    ASSERT_TRUE(discovery_.openMouse());
    ASSERT_TRUE(protocol_.readOperation());
    EXPECT_EQ(image_, composed);
    EXPECT_TRUE(failures_.empty());
}

TEST_F(GuestDeviceTest, NodeThatCannotBeOpenedGivesTheCreateFileErrorCode)
{
    // devtmpfs makes hidraw nodes root's alone; only udev rules widen that.
    for (const HidInterfaceInfo& info : mouseInterfaces(backend_)) {
        struct stat node {};
        ASSERT_EQ(::stat(info.path.c_str(), &node), 0) << info.path;
        ASSERT_EQ(node.st_mode & (S_IROTH | S_IWOTH), 0u) << info.path;
    }
    const DiscoveryAsNobody result = discoverAsNobody();
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.messages, std::vector<std::string>{"open refused: " + std::to_string(EACCES)});
}

TEST_F(GuestDeviceTest, RemovedAndRecreatedMouseGivesRemovalAndArrivalNotices)
{
    ASSERT_TRUE(discovery_.openMouse());
    ASSERT_TRUE(protocol_.readMouse());
    RecordingSink sink;
    DeviceChangeHandler handler(discovery_, state_, sink, [this] { protocol_.readMouse(); });

    ASSERT_TRUE(mouse_->unplug());
    const HotplugWatcher::Burst removal = watcher_->waitForBurst(kBurstTimeout);
    ASSERT_EQ(removal.action, DeviceChange::Removal);
    EXPECT_EQ(removal.notices.size(), kNodesPerMouse);
    for (const HotplugNotice& notice : removal.notices) {
        EXPECT_EQ(notice.kind, DeviceChange::Removal);
        EXPECT_EQ(notice.devnode.rfind("/dev/hidraw", 0), 0u) << notice.devnode;
    }
    EXPECT_EQ(handler.handle(*removal.action), DeviceChangeOutcome::MouseLost);
    EXPECT_FALSE(state_.present);
    EXPECT_EQ(sink.events, (std::vector<int>{DeviceEventSink::kNoticeMouseNotDetected, RecordingSink::kHidden}));
    EXPECT_TRUE(mouseInterfaces(backend_).empty());

    sink.events.clear();
    image_.clear();
    ASSERT_TRUE(mouse_->plug());
    const HotplugWatcher::Burst arrival = watcher_->waitForBurst(kBurstTimeout);
    ASSERT_EQ(arrival.action, DeviceChange::Arrival);
    EXPECT_EQ(arrival.notices.size(), kNodesPerMouse);
    EXPECT_EQ(handler.handle(*arrival.action), DeviceChangeOutcome::MouseDetected);
    EXPECT_TRUE(state_.present);
    EXPECT_EQ(sink.events, std::vector<int>{DeviceEventSink::kNoticeMouseDetected});
    EXPECT_EQ(image_, MouseFirmware::factoryImage());
    // The search after the removal found no mouse; nothing was refused or failed.
    EXPECT_EQ(failures_.problems(), std::vector{DiscoveryProblem::NotFound});
    EXPECT_TRUE(failures_.protocolFailures.empty());
}

} // namespace
} // namespace kestrel::guest
