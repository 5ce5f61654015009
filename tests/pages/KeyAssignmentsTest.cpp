#include "config/DefaultSettings.h"
#include "pages/KeyAssignments.h"

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

struct Keys {
    SettingsRecord settings = defaultSettingsRecord();
    StrIniSettings::Captions captions = StrIniSettings::defaultCaptions(Language::English);
    KeyAssignments assignments{settings, captions};
};

TEST(KeyAssignments, LeavingShiftCarriesCodeCaptionAndValuesToTheOtherGroup)
{
    Keys keys;
    keys.assignments.assignShift(2, "Shift");
    EXPECT_TRUE(keys.assignments.groupHasShift(KeyGroup::ModeA));
    EXPECT_TRUE(keys.assignments.groupHasShift(KeyGroup::ModeB));
    keys.settings.setFireKeyCode(KeyGroup::ModeB, 2, 0x04);
    keys.settings.setFireTimes(KeyGroup::ModeB, 2, 9);
    keys.assignments.assign(KeyGroup::ModeB, 2, KeyFunctionCode::FireKey, "Fire Key-A");
    EXPECT_EQ(keys.settings.keyFunction(KeyGroup::ModeA, 2), 9);
    EXPECT_EQ(keys.settings.fireKeyCode(KeyGroup::ModeA, 2), 0x04);
    EXPECT_EQ(keys.settings.fireTimes(KeyGroup::ModeA, 2), 9);
    EXPECT_EQ(keys.assignments.caption(KeyGroup::ModeA, 2), "Fire Key-A");
    EXPECT_EQ(keys.assignments.caption(KeyGroup::ModeB, 2), "Fire Key-A");

    // A button that is not "Shift" changes in its own group only.
    keys.assignments.assign(KeyGroup::ModeA, 2, KeyFunctionCode::KeyOff, "Key Off");
    EXPECT_EQ(keys.settings.keyFunction(KeyGroup::ModeB, 2), 9);
    EXPECT_EQ(keys.assignments.caption(KeyGroup::ModeB, 2), "Fire Key-A");
}

TEST(KeyAssignments, ADpiSwitchLeavesTheOtherGroupEvenOnShift)
{
    Keys keys;
    keys.assignments.assignShift(4, "Shift");
    keys.assignments.assignDpiSwitch(KeyGroup::ModeA, 4, DpiSwitchMode::Loop, "DPI Loop");
    EXPECT_EQ(keys.settings.keyFunction(KeyGroup::ModeA, 4), 5);
    EXPECT_EQ(keys.settings.dpiSwitchMode(KeyGroup::ModeA, 4), 5);
    EXPECT_EQ(keys.settings.keyFunction(KeyGroup::ModeB, 4), 13);
    EXPECT_EQ(keys.assignments.caption(KeyGroup::ModeB, 4), "Shift");
}

} // namespace
