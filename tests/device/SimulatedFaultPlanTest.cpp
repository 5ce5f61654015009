#include "device/sim/SimulatedFaultPlan.h"
#include "device/sim/SimulatedMouse.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace kestrel {
namespace {

// Which of `count` status gets succeed on `mouse`, in order.
std::vector<bool> statusGets(SimulatedMouse& mouse, int count)
{
    std::unique_ptr<HidDevice> status;
    const auto interfaces = mouse.enumerate();
    for (const HidInterfaceInfo& info : interfaces.value()) {
        if (info.usage == mouse::kStatusUsage)
            status = mouse.open(info).device;
    }
    std::vector<bool> results;
    for (int i = 0; i < count; ++i) {
        std::array<std::uint8_t, mouse::kStatusReportLength> report{0x01};
        results.push_back(status->getFeature(report));
    }
    return results;
}

TEST(SimulatedFaultPlanTest, PlantsFaultsAtTheirExchangesOrCountedFromALaterOne)
{
    std::string error;
    const auto plan = SimulatedFaultPlan::parse("1:noanswer", error);
    ASSERT_TRUE(plan) << error;

    SimulatedMouse fromStart;
    plan->plantIn(fromStart);
    EXPECT_EQ(statusGets(fromStart, 4), (std::vector<bool>{true, false, true, true}));

    SimulatedMouse inUse;
    EXPECT_EQ(statusGets(inUse, 2), (std::vector<bool>{true, true}));
    plan->plantIn(inUse, inUse.exchangeCount());
    EXPECT_EQ(statusGets(inUse, 3), (std::vector<bool>{true, false, true}));
}

TEST(SimulatedFaultPlanTest, RefusesTextThatIsNoPlan)
{
    for (const char* text : {"noanswer", "x:noanswer", "-1:noanswer", "2:melt", "1:noanswer,"}) {
        std::string error;
        EXPECT_FALSE(SimulatedFaultPlan::parse(text, error)) << text;
        EXPECT_NE(error.find("KESTREL_SIM_FAULTS"), std::string::npos) << text;
    }
    std::string error;
    const auto empty = SimulatedFaultPlan::parse("", error);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
}

} // namespace
} // namespace kestrel
