#include "FakeHidBackend.h"
#include "ProtocolTestSupport.h"

#include "device/DeviceDiscovery.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

constexpr std::uint16_t kVendor = 0x04D9;
constexpr std::uint16_t kProduct = 0xA09E;

struct Discovery {
    Discovery() { failures.follow(discovery); }

    FakeHidBackend backend;
    DeviceState state;
    FailureLog failures;
    DeviceDiscovery discovery{backend, state};
};

std::vector<HidInterfaceInfo> mouseInterfaces()
{
    return {hidInterface("pointer", kVendor, kProduct, 2, 0), hidInterface("status", kVendor, kProduct, 6, 8),
            hidInterface("data", kVendor, kProduct, 2, 65)};
}

} // namespace

TEST(DeviceDiscovery, OpensStatusAndDataAndProbesOtherDevicesOnly)
{
    Discovery d;
    d.backend.interfaces = std::vector<HidInterfaceInfo>{
        hidInterface("other-status", 0x046D, kProduct, 6, 8),
        hidInterface("other-product", kVendor, 0xA09F, 2, 65),
        hidInterface("other-caps", 0x1234, 0x5678, 2, 65, HidProbe::CapsFailed),
    };
    for (const auto& interface : mouseInterfaces())
        d.backend.interfaces->push_back(interface);

    EXPECT_TRUE(d.discovery.openMouse());
    EXPECT_EQ(d.backend.opened, (std::vector<std::string>{"status", "data"}));
    EXPECT_TRUE(d.state.present);
    ASSERT_TRUE(d.state.statusHandle && d.state.dataHandle);
    EXPECT_EQ(d.state.statusReportLength, 8);
    EXPECT_EQ(d.state.dataReportLength, 65);
    EXPECT_EQ(d.state.devicePath, "data");
    EXPECT_TRUE(d.failures.empty());
}

TEST(DeviceDiscovery, WrongUsagesOrLengthsAreNotOpened)
{
    Discovery d;
    d.backend.interfaces = std::vector<HidInterfaceInfo>{
        hidInterface("data-64", kVendor, kProduct, 2, 64),
        hidInterface("status-9", kVendor, kProduct, 6, 9),
        hidInterface("usage-3", kVendor, kProduct, 3, 8),
        {"vendor-page", kVendor, kProduct, 0xFF00, 2, 65, HidProbe::Ok},
    };
    d.state.present = true;

    const DiscoveryResult result = d.discovery.openMouse();
    ASSERT_FALSE(result);
    EXPECT_EQ(result.failure()->problem, DiscoveryProblem::NotFound);
    EXPECT_TRUE(d.backend.opened.empty());
    EXPECT_EQ(d.failures.problems(), std::vector{DiscoveryProblem::NotFound});
    // Clearing the flag is the caller's business.
    EXPECT_TRUE(d.state.present);
}

TEST(DeviceDiscovery, FailedListOrProbeEndsTheSearch)
{
    Discovery listFails;
    listFails.backend.interfaces.reset();
    EXPECT_FALSE(listFails.discovery.openMouse());

    Discovery probeFails;
    probeFails.backend.interfaces = mouseInterfaces();
    probeFails.backend.interfaces->insert(probeFails.backend.interfaces->begin() + 2,
                                          hidInterface("unopenable", 0, 0, 0, 0, HidProbe::OpenFailed));
    EXPECT_FALSE(probeFails.discovery.openMouse());
    EXPECT_EQ(probeFails.backend.opened, std::vector<std::string>{"status"});
    EXPECT_EQ(probeFails.state.devicePath, "unopenable");

    // Missing capabilities end the search for the mouse, but not for another device.
    Discovery capsFail;
    capsFail.backend.interfaces = mouseInterfaces();
    capsFail.backend.interfaces->insert(capsFail.backend.interfaces->begin(),
                                        hidInterface("no-caps", kVendor, kProduct, 0, 0, HidProbe::CapsFailed));
    EXPECT_FALSE(capsFail.discovery.openMouse());
    EXPECT_TRUE(capsFail.backend.opened.empty());

    // An interface without a path, or a list the system cut short, leaves
    // the rest unknown: the search ends there too.
    Discovery pathFails;
    pathFails.backend.interfaces = mouseInterfaces();
    pathFails.backend.interfaces->insert(pathFails.backend.interfaces->begin() + 2,
                                         hidInterface("", 0, 0, 0, 0, HidProbe::PathFailed));
    EXPECT_FALSE(pathFails.discovery.openMouse());
    EXPECT_EQ(pathFails.backend.opened, std::vector<std::string>{"status"});

    Discovery listCut;
    listCut.backend.interfaces = mouseInterfaces();
    listCut.backend.interfaces->pop_back();
    listCut.backend.interfaces->push_back(hidInterface("", 0, 0, 0, 0, HidProbe::ListCut));
    EXPECT_FALSE(listCut.discovery.openMouse());
    EXPECT_EQ(listCut.backend.opened, std::vector<std::string>{"status"});

    for (Discovery* d : {&listFails, &probeFails, &capsFail, &pathFails, &listCut}) {
        EXPECT_FALSE(d->state.statusHandle || d->state.dataHandle);
        EXPECT_EQ(d->backend.alive, 0);
        ASSERT_EQ(d->failures.discoveryFailures.size(), 1u);
        EXPECT_FALSE(d->failures.discoveryFailures[0].error);
    }
    EXPECT_EQ(listFails.failures.problems(), std::vector{DiscoveryProblem::ListUnavailable});
    EXPECT_EQ(capsFail.failures.problems(), std::vector{DiscoveryProblem::NoCapabilities});
    for (const Discovery* d : {&probeFails, &pathFails, &listCut})
        EXPECT_EQ(d->failures.problems(), std::vector{DiscoveryProblem::InterfaceUnexaminable});
}

TEST(DeviceDiscovery, AnInterfaceOfUnknownVendorAndProductIsPassedOver)
{
    Discovery d;
    // Attributes a failed query left as the mouse's are not taken for them.
    d.backend.interfaces = std::vector<HidInterfaceInfo>{
        hidInterface("no-attributes", kVendor, kProduct, 6, 8, HidProbe::AttributesFailed)};
    for (const auto& interface : mouseInterfaces())
        d.backend.interfaces->push_back(interface);

    EXPECT_TRUE(d.discovery.openMouse());
    EXPECT_EQ(d.backend.opened, (std::vector<std::string>{"status", "data"}));
}

TEST(DeviceDiscovery, RefusedOpenGivesThePlatformErrorCode)
{
    Discovery d;
    d.backend.interfaces = mouseInterfaces();
    d.backend.openErrors["data"] = EACCES;

    const DiscoveryResult refused = d.discovery.openMouse();
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure()->problem, DiscoveryProblem::OpenRefused);
    EXPECT_EQ(refused.failure()->error, std::error_code(EACCES, std::system_category()));
    EXPECT_EQ(refused.failure()->devicePath, "data");
    // The handler heard of it once, as it happened.
    ASSERT_EQ(d.failures.discoveryFailures.size(), 1u);
    EXPECT_EQ(d.failures.discoveryFailures[0].error.value(), EACCES);
    EXPECT_EQ(d.state.devicePath, "data");
    // The status collection opened before is not left half open.
    EXPECT_EQ(d.backend.alive, 0);
    EXPECT_FALSE(d.state.statusHandle);

    d.backend.openErrors.clear();
    EXPECT_TRUE(d.discovery.openMouse());
    EXPECT_EQ(d.failures.discoveryFailures.size(), 1u);
}

TEST(DeviceDiscovery, StopsOnceBothCollectionsAreOpen)
{
    Discovery d;
    d.backend.interfaces = mouseInterfaces();
    d.backend.interfaces->push_back(hidInterface("second-status", kVendor, kProduct, 6, 8));
    d.backend.interfaces->push_back(hidInterface("later-probe-failure", 0, 0, 0, 0, HidProbe::OpenFailed));

    EXPECT_TRUE(d.discovery.openMouse());
    EXPECT_EQ(d.backend.opened, (std::vector<std::string>{"status", "data"}));
    EXPECT_EQ(d.state.devicePath, "data");

    // With two mice, a second collection of a role already open is passed over:
    // two data collections are no link.
    Discovery twoMice;
    twoMice.backend.interfaces = std::vector<HidInterfaceInfo>{
        hidInterface("data-a", kVendor, kProduct, 2, 65), hidInterface("data-b", kVendor, kProduct, 2, 65),
        hidInterface("status-a", kVendor, kProduct, 6, 8)};
    EXPECT_TRUE(twoMice.discovery.openMouse());
    EXPECT_EQ(twoMice.backend.opened, (std::vector<std::string>{"data-a", "status-a"}));
    EXPECT_EQ(twoMice.backend.alive, 2);
}

TEST(DeviceDiscovery, NewOpenClosesTheHandlesOfTheLastOne)
{
    Discovery d;
    d.backend.interfaces = mouseInterfaces();
    ASSERT_TRUE(d.discovery.openMouse());
    ASSERT_TRUE(d.discovery.openMouse());

    EXPECT_EQ(d.backend.aliveAtOpen, (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(d.backend.alive, 2);

    d.backend.interfaces = std::vector<HidInterfaceInfo>{};
    EXPECT_FALSE(d.discovery.openMouse());
    EXPECT_EQ(d.backend.alive, 0);
}

TEST(DeviceDiscovery, RolesFollowUsageAndFeatureLength)
{
    EXPECT_EQ(DeviceDiscovery::roleOf(hidInterface("", kVendor, kProduct, 6, 8)), InterfaceRole::Status);
    EXPECT_EQ(DeviceDiscovery::roleOf(hidInterface("", kVendor, kProduct, 2, 65)), InterfaceRole::Data);
    EXPECT_EQ(DeviceDiscovery::roleOf(hidInterface("", kVendor, kProduct, 2, 8)), InterfaceRole::None);
    EXPECT_EQ(DeviceDiscovery::roleOf(hidInterface("", kVendor, kProduct, 6, 65)), InterfaceRole::None);
    EXPECT_TRUE(DeviceDiscovery::isMouse(hidInterface("", kVendor, kProduct, 0, 0)));
    EXPECT_FALSE(DeviceDiscovery::isMouse(hidInterface("", kProduct, kVendor, 0, 0)));
}
