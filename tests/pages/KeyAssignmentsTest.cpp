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
    EXPECT_TRUE(keys.assignments.groupHasShift(0));
    EXPECT_TRUE(keys.assignments.groupHasShift(1));
    keys.settings.setFireKeyCode(1, 2, 0x04);
    keys.settings.setFireTimes(1, 2, 9);
    keys.assignments.assign(1, 2, KeyFunctionCode::FireKey, "Fire Key-A");
    EXPECT_EQ(keys.settings.keyFunction(0, 2), 9);
    EXPECT_EQ(keys.settings.fireKeyCode(0, 2), 0x04);
    EXPECT_EQ(keys.settings.fireTimes(0, 2), 9);
    EXPECT_EQ(keys.assignments.caption(0, 2), "Fire Key-A");
    EXPECT_EQ(keys.assignments.caption(1, 2), "Fire Key-A");

    // A button that is not "Shift" changes in its own group only.
    keys.assignments.assign(0, 2, KeyFunctionCode::KeyOff, "Key Off");
    EXPECT_EQ(keys.settings.keyFunction(1, 2), 9);
    EXPECT_EQ(keys.assignments.caption(1, 2), "Fire Key-A");
}

TEST(KeyAssignments, ADpiSwitchLeavesTheOtherGroupEvenOnShift)
{
    Keys keys;
    keys.assignments.assignShift(4, "Shift");
    keys.assignments.assignDpiSwitch(0, 4, DpiSwitchMode::Loop, "DPI Loop");
    EXPECT_EQ(keys.settings.keyFunction(0, 4), 5);
    EXPECT_EQ(keys.settings.dpiSwitchMode(0, 4), 5);
    EXPECT_EQ(keys.settings.keyFunction(1, 4), 13);
    EXPECT_EQ(keys.assignments.caption(1, 4), "Shift");
}

} // namespace
