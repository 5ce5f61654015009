#include "device/FeatureProtocol.h"
#include "device/DeviceDiscovery.h"
#include "device/sim/SimulatedMouse.h"
#include <StderrReporter.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

using namespace kestrel;

namespace {

const std::error_code kDenied(EACCES, std::system_category());

} // namespace

TEST(StderrReporter, PrintsWhatTheWindowWouldShowForEachKindOfFailure)
{
    std::ostringstream err;
    ctl::StderrReporter reporter(err);
    reporter.showDiscoveryFailure({DiscoveryProblem::NotFound, "/dev/hidraw3", {}});
    EXPECT_EQ(err.str(), "");
    EXPECT_FALSE(reporter.reported());

    reporter.showDiscoveryFailure({DiscoveryProblem::OpenRefused, "/dev/hidraw3", kDenied});
    reporter.showProtocolFailure({"ReadOperation", 0, ProtocolExchange::StatusSignature, "bad", {}});
    reporter.showProtocolFailure({"ReadOperation", 4, ProtocolExchange::DataGet, "no page data", kDenied});
    EXPECT_EQ(err.str(), "kestrelctl: CreateFile Error Code:" + std::to_string(EACCES) + "\n"
                         "kestrelctl: ReadOperation: The system did not detect the gaming mouse!\n"
                         "kestrelctl: ReadOperation: The system did not detect the gaming mouse!\n");
    EXPECT_TRUE(reporter.reported());

    // Once quiet, a failure still counts but is left to the command to say.
    ctl::StderrReporter quiet(err);
    quiet.keepQuiet();
    quiet.showProtocolFailure({"WriteOperation", 2, ProtocolExchange::DataSet, "refused", {}});
    EXPECT_TRUE(quiet.reported());
    EXPECT_EQ(err.str().find("WriteOperation"), std::string::npos);
}

TEST(StderrReporter, TheExplanationNamesThePageAndKeepsItsFormWhateverTheSystemSaid)
{
    EXPECT_EQ(ctl::StderrReporter::explanation({"GetDPIStage", 0, ProtocolExchange::StatusSignature,
                                                "the status reply has no valid signature", {}}),
              "GetDPIStage failed: the status reply has no valid signature");
    EXPECT_EQ(ctl::StderrReporter::explanation({"ReadOperation", 2, ProtocolExchange::DataGet, "no page data", kDenied}),
              "ReadOperation failed at page 2: no page data");
}

TEST(StderrReporter, FollowsTheProtocolAndDiscoveryItIsGiven)
{
    SimulatedMouse mouse;
    DeviceState device;
    ConfigImage image;
    InstantClock clock;
    DeviceDiscovery discovery(mouse, device);
    FeatureProtocol protocol(device, image, clock);
    std::ostringstream err;
    ctl::StderrReporter reporter(err);
    reporter.follow(discovery);
    reporter.follow(protocol);

    ASSERT_TRUE(discovery.openMouse());
    mouse.failAt(mouse.exchangeCount() + 1, SimulatedFault::BadSignature);
    EXPECT_FALSE(protocol.getDpiStage());
    EXPECT_EQ(err.str(), "kestrelctl: GetDPIStage: The system did not detect the gaming mouse!\n");
}
