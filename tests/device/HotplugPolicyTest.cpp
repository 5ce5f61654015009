#include "device/HotplugPolicy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace kestrel;

namespace {

constexpr DeviceChange A = DeviceChange::Arrival;
constexpr DeviceChange R = DeviceChange::Removal;

// Feeds a counter policy and returns the action taken at each notice.
std::vector<std::optional<DeviceChange>> countNotices(HotplugPolicy& policy, const std::vector<DeviceChange>& notices)
{
    std::vector<std::optional<DeviceChange>> actions;
    for (const DeviceChange notice : notices) {
        const HotplugPolicy::Step step = policy.onNotice(notice);
        EXPECT_FALSE(step.armSettleTimer);
        actions.push_back(step.actNow);
    }
    return actions;
}

} // namespace

TEST(HotplugPolicy, CounterActsOnEveryFourthNotice)
{
    HotplugPolicy policy(HotplugPolicy::Mode::Counter);
    const auto actions = countNotices(policy, {A, A, A, A, R, R, R, R, R});
    const std::vector<std::optional<DeviceChange>> expected{std::nullopt, std::nullopt, std::nullopt, A,
                                                            std::nullopt, std::nullopt, std::nullopt, R,
                                                            std::nullopt};
    EXPECT_EQ(actions, expected);
    EXPECT_EQ(policy.onSettled(), std::nullopt);
}

TEST(HotplugPolicy, CounterMixedNoticesActByTheFourthKind)
{
    std::vector<DeviceChange> order{A, A, R, R};
    do {
        HotplugPolicy policy(HotplugPolicy::Mode::Counter);
        const auto actions = countNotices(policy, order);
        const std::vector<std::optional<DeviceChange>> expected{std::nullopt, std::nullopt, std::nullopt, order[3]};
        EXPECT_EQ(actions, expected);
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(HotplugPolicy, BurstActsOnceByTheLastKind)
{
    HotplugPolicy policy(HotplugPolicy::Mode::Burst);
    EXPECT_EQ(policy.onSettled(), std::nullopt);

    for (std::size_t length = 1; length <= 9; ++length) {
        std::vector<DeviceChange> burst;
        for (std::size_t i = 0; i < length; ++i)
            burst.push_back(i % 3 == 1 ? R : A);
        for (const DeviceChange notice : burst) {
            const HotplugPolicy::Step step = policy.onNotice(notice);
            EXPECT_TRUE(step.armSettleTimer);
            EXPECT_EQ(step.actNow, std::nullopt);
        }
        EXPECT_EQ(policy.onSettled(), burst.back()) << "burst of " << length;
        EXPECT_EQ(policy.onSettled(), std::nullopt);
    }
}
