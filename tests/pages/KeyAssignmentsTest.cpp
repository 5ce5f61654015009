#include <DefaultSettings.h>
#include <KeyAssignments.h>

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

struct Keys {
    SettingsRecord settings = defaultSettingsRecord();
    StrIniSettings::Captions captions = StrIniSettings::defaultCaptions(Language::English);
    KeyAssignments assignments{settings, captions};
};

TEST(KeyAssignments, TheShownGroupIsModeBOnlyForOne)
{
    Keys keys;
    EXPECT_EQ(keys.assignments.shownGroup(), 0);
    keys.settings.setModeShown(1);
    EXPECT_EQ(keys.assignments.shownGroup(), 1);
    keys.settings.setModeShown(2);
    EXPECT_EQ(keys.assignments.shownGroup(), 0);
}

TEST(KeyAssignments, TheGuardCountsAllEightButtonsOfTheGroup)
{
    Keys keys;
    EXPECT_TRUE(keys.assignments.isOnlyLeftClick(0, 0));
    EXPECT_FALSE(keys.assignments.isOnlyLeftClick(0, 1));
    keys.settings.setKeyFunction(0, 7, 0);
    EXPECT_FALSE(keys.assignments.isOnlyLeftClick(0, 0));
    EXPECT_TRUE(keys.assignments.isOnlyLeftClick(1, 0));
}

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

TEST(KeyAssignments, DefaultsRestoreFunctionsAndCaptionsOnly)
{
    Keys keys;
    keys.assignments.assign(1, 1, KeyFunctionCode::KeyOff, "Key Off");
    keys.settings.setDpiSwitchMode(0, 5, 5);
    keys.settings.setReportRate(2);
    keys.assignments.restoreDefaults(StrIniSettings::defaultCaptions(Language::English));
    SettingsRecord expected = defaultSettingsRecord();
    expected.setReportRate(2);
    EXPECT_EQ(keys.settings, expected);
    EXPECT_EQ(keys.captions, StrIniSettings::defaultCaptions(Language::English));
}

} // namespace
