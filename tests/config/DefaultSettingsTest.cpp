#include "config/DefaultSettings.h"

#include "config/DpiTable.h"
#include "config/KeyFunctionCode.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace kestrel {
namespace {

void expectDefaultKeyPage(const SettingsRecord& record)
{
    const std::uint8_t expected[] = {0, 1, 2, 3, 4, 5, 5, 12};
    for (const KeyGroup group : keygroup::kAll) {
        for (int button = 0; button < SettingsRecord::kButtonCount; ++button) {
            EXPECT_EQ(record.keyFunction(group, button), expected[button]) << keygroup::number(group) << "/" << button;
        }
        EXPECT_EQ(record.dpiSwitchMode(group, 5), 3);
        EXPECT_EQ(record.dpiSwitchMode(group, 6), 4);
    }
}

TEST(DefaultSettingsTest, NewRecordIsUsableOnEverySensorType)
{
    const SettingsRecord record = defaultSettingsRecord();
    EXPECT_EQ(record.reportRate(), 1);
    EXPECT_EQ(record.modeShown(), 0);
    EXPECT_EQ(record.ledMode(), 1);
    EXPECT_LE(record.ledBrightness(), 9);
    EXPECT_GE(record.fireMakeTime(), 5);
    EXPECT_GE(record.fireBreakTime(), 5);
    EXPECT_EQ(record.snipeDpiCode(), DpiTable::code(1, record.snipeIndex(KeyGroup::ModeA, 0), true));
    EXPECT_LT(record.snipeDpiCode(), 0x80);

    std::set<std::tuple<int, int, int>> colours;
    for (int stage = 0; stage < SettingsRecord::kStageCount; ++stage) {
        EXPECT_TRUE(record.isStageInUse(stage));
        EXPECT_LT(record.dpiLevel(stage), DpiTable::levelCount(1));
        if (stage > 0) {
            EXPECT_GT(record.dpiLevel(stage), record.dpiLevel(stage - 1));
        }
        const Rgb colour = record.dpiColor(stage);
        colours.emplace(colour.r, colour.g, colour.b);
    }
    EXPECT_EQ(colours.size(), 4u);

    for (const KeyGroup group : keygroup::kAll) {
        for (int button = 0; button < SettingsRecord::kButtonCount; ++button) {
            EXPECT_LE(record.fireTimes(group, button), 127);
        }
    }
    expectDefaultKeyPage(record);
}

TEST(DefaultSettingsTest, DefaultClickChangesOnlyFunctionsAndTheTwoSwitchModes)
{
    SettingsRecord record;
    for (std::size_t i = 0; i < SettingsRecord::kSize; ++i) {
        record.bytes()[i] = 0x99;
    }
    const SettingsRecord before = record;
    defaultKeyFunctions(record);
    expectDefaultKeyPage(record);

    for (std::size_t i = 0; i < SettingsRecord::kSize; ++i) {
        const bool isKeyFunction = i >= 0x27 && i < 0x37;
        const bool isSwitchMode = i == 0xB7 + 5 || i == 0xB7 + 6 || i == 0xBF + 5 || i == 0xBF + 6;
        if (!isKeyFunction && !isSwitchMode) {
            EXPECT_EQ(record.bytes()[i], before.bytes()[i]) << "byte " << i;
        }
    }
}

} // namespace
} // namespace kestrel
