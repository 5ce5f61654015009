#include "PageTestRig.h"

#include "pages/DpiPanel.h"
#include "skin/MainWindowLayout.h"
#include "skin/SkinFiles.h"

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

bool markLit(PageTestRig& rig, int mark)
{
    return rig.shows(skinfiles::kReportRateLight, mainlayout::reportRateMark(mark).topLeft());
}

bool markDark(PageTestRig& rig, int mark)
{
    return rig.shows(skinfiles::kReportRateDark, mainlayout::reportRateMark(mark).topLeft());
}

// How the cells of a stage's column are drawn, from the bottom: 'L' lit, 'd' dark, '.' neither.
std::string column(PageTestRig& rig, int stage)
{
    std::string cells;
    for (int cell = 1; cell <= mainlayout::kMaxDpiCells; ++cell) {
        const QPoint at = mainlayout::dpiCell(stage, cell).topLeft();
        cells += rig.shows(skinfiles::kDpiCellLight, at) ? 'L' : rig.shows(skinfiles::kDpiCellDark, at) ? 'd' : '.';
    }
    return cells;
}

bool boxTicked(PageTestRig& rig, int stage)
{
    return rig.shows(skinfiles::kStageOn, mainlayout::stageSelectBox(stage).topLeft());
}

SettingsRecord withStages(std::array<std::uint8_t, 4> enabled, std::array<std::uint8_t, 4> levels)
{
    SettingsRecord settings = defaultSettingsRecord();
    for (int stage = 0; stage < 4; ++stage) {
        settings.setDpiEnabled(stage, enabled[static_cast<std::size_t>(stage)]);
        settings.setDpiLevel(stage, levels[static_cast<std::size_t>(stage)]);
    }
    return settings;
}

TEST(DpiPanel, MarksMapTheReportRateCodes)
{
    EXPECT_EQ(DpiPanel::markOf(8), 1);
    EXPECT_EQ(DpiPanel::markOf(4), 2);
    EXPECT_EQ(DpiPanel::markOf(2), 3);
    EXPECT_EQ(DpiPanel::markOf(1), 4);
    EXPECT_EQ(DpiPanel::markOf(0), 4);
    EXPECT_EQ(DpiPanel::markOf(200), 4);
    EXPECT_EQ(DpiPanel::levelCount(0), 12);
    EXPECT_EQ(DpiPanel::levelCount(3), 8);
    EXPECT_EQ(DpiPanel::levelCount(4), 12);
}

TEST(DpiPanel, AClickedMarkIsLitAndTheOldOneDark)
{
    PageTestRig rig;
    rig.startWith();
    EXPECT_TRUE(markLit(rig, 4));
    EXPECT_TRUE(markDark(rig, 1) && markDark(rig, 2) && markDark(rig, 3));
    rig.click(mainlayout::reportRateMark(2).center());
    EXPECT_EQ(rig.settings().reportRate(), 4);
    EXPECT_TRUE(markLit(rig, 2));
    EXPECT_TRUE(markDark(rig, 4));
    const QImage marks = rig.canvasPart(QRect(542, 204, 286, 11));
    rig.click(mainlayout::reportRateMark(2).center());
    EXPECT_EQ(rig.settings().reportRate(), 4);
    EXPECT_EQ(rig.canvasPart(QRect(542, 204, 286, 11)), marks);
}

TEST(DpiPanel, AnUnknownReportRateShowsOnMarkFourUntilAMarkIsClicked)
{
    SettingsRecord settings = defaultSettingsRecord();
    settings.setReportRate(3);
    PageTestRig rig;
    rig.startWith(settings);
    EXPECT_TRUE(markLit(rig, 4));
    EXPECT_EQ(rig.settings().reportRate(), 3);
    rig.click(mainlayout::reportRateMark(4).center());
    EXPECT_EQ(rig.settings().reportRate(), 1);
    EXPECT_TRUE(markLit(rig, 4));
}

TEST(DpiPanel, TheLastEnabledStageCannotBeSwitchedOff)
{
    PageTestRig rig;
    rig.startWith(withStages({0, 1, 0, 0}, {1, 2, 3, 4}));
    EXPECT_EQ(column(rig, 1), "dddddddd....");
    EXPECT_EQ(column(rig, 2), "LLLddddd....");
    rig.click(mainlayout::stageSelectBox(2).center());
    EXPECT_EQ(rig.settings().dpiEnabled(1), 1);
    EXPECT_TRUE(boxTicked(rig, 2));

    rig.click(mainlayout::stageSelectBox(3).center());
    EXPECT_EQ(rig.settings().dpiEnabled(2), 1);
    EXPECT_TRUE(boxTicked(rig, 3));
    EXPECT_EQ(column(rig, 3), "LLLLdddd....");
    rig.click(mainlayout::stageSelectBox(2).center());
    EXPECT_EQ(rig.settings().dpiEnabled(1), 0);
    EXPECT_FALSE(boxTicked(rig, 2));
    EXPECT_EQ(column(rig, 2), "dddddddd....");
}

TEST(DpiPanel, AFlagOtherThanOneShowsTheStageOffAndAClickSwitchesItOn)
{
    PageTestRig rig;
    rig.startWith(withStages({1, 7, 1, 1}, {0, 3, 0, 0}));
    EXPECT_FALSE(boxTicked(rig, 2));
    EXPECT_EQ(column(rig, 2), "dddddddd....");
    rig.click(mainlayout::stageSelectBox(2).center());
    EXPECT_EQ(rig.settings().dpiEnabled(1), 1);
    EXPECT_EQ(column(rig, 2), "LLLLdddd....");
}

TEST(DpiPanel, SensorTypeOneHasEightCellsAndTheUpperFourAreInert)
{
    PageTestRig rig;
    rig.startWith(withStages({1, 1, 1, 1}, {0, 0, 0, 0}), 1);
    rig.click(mainlayout::dpiCell(1, 10).center());
    EXPECT_EQ(rig.settings().dpiLevel(0), 0);
    rig.click(mainlayout::dpiCell(1, 8).center());
    EXPECT_EQ(rig.settings().dpiLevel(0), 7);
    EXPECT_EQ(column(rig, 1), "LLLLLLLL....");
}

TEST(DpiPanel, SensorTypeZeroHasTwelveCells)
{
    PageTestRig rig;
    rig.startWith(withStages({1, 1, 1, 1}, {0, 0, 0, 0}), 0);
    EXPECT_EQ(column(rig, 4), "Lddddddddddd");
    rig.click(mainlayout::dpiCell(4, 12).center());
    EXPECT_EQ(rig.settings().dpiLevel(3), 11);
    EXPECT_EQ(column(rig, 4), "LLLLLLLLLLLL");
    // Level index 0 is the bottom cell alone, at once and after a build.
    rig.click(mainlayout::dpiCell(4, 1).center());
    EXPECT_EQ(column(rig, 4), "Lddddddddddd");
    rig.dlg().pages().rebuild();
    EXPECT_EQ(column(rig, 4), "Lddddddddddd");
}

TEST(DpiPanel, ASensorTypeWithoutLevelsDrawsTwelveCellsOfWhichEightAnswer)
{
    PageTestRig rig;
    rig.startWith(withStages({1, 1, 1, 1}, {2, 0, 0, 0}), 6);
    EXPECT_EQ(column(rig, 1), "LLLddddddddd");
    rig.click(mainlayout::dpiCell(1, 11).center());
    EXPECT_EQ(rig.settings().dpiLevel(0), 2);
    rig.click(mainlayout::dpiCell(1, 6).center());
    EXPECT_EQ(rig.settings().dpiLevel(0), 5);
}

TEST(DpiPanel, AClickOnADisabledStageSetsItsLevelAndABuildShowsItDark)
{
    PageTestRig rig;
    rig.startWith(withStages({1, 0, 1, 1}, {0, 0, 0, 0}));
    rig.click(mainlayout::dpiCell(2, 3).center());
    EXPECT_EQ(rig.settings().dpiLevel(1), 2);
    EXPECT_EQ(rig.settings().dpiEnabled(1), 0);
    EXPECT_EQ(column(rig, 2), "LLLddddd....");
    rig.dlg().pages().rebuild();
    EXPECT_EQ(column(rig, 2), "dddddddd....");
}

TEST(DpiPanel, ALevelBeyondTheSensorsCountLightsTheWholeColumn)
{
    PageTestRig rig;
    rig.startWith(withStages({1, 1, 1, 1}, {11, 255, 7, 8}), 2);
    EXPECT_EQ(column(rig, 1), "LLLLLLLL....");
    EXPECT_EQ(column(rig, 2), "LLLLLLLL....");
    EXPECT_EQ(column(rig, 3), "LLLLLLLL....");
    EXPECT_EQ(rig.settings().dpiLevel(1), 255);
}

} // namespace

TEST(DpiPanel, AMouseArrivingWithAnotherSensorTypeGetsItsLevelsOnThePage)
{
    PageTestRig rig;
    rig.startWith(1);
    // Unplugged, then a mouse with a twelve-level sensor arrives.
    rig.mouse->vanish();
    emit rig.watcher->deviceChanged(DeviceChange::Removal);
    rig.app->deviceLink()->settle();
    rig.mouse->reappear();
    ConfigImage image = MouseFirmware::factoryImage();
    image.page(4)[ConfigImage::kPage4SensorType] = 0;
    rig.mouse->firmware().setImage(image);
    emit rig.watcher->deviceChanged(DeviceChange::Arrival);
    rig.app->deviceLink()->settle();
    rig.showFromIcon();
    ASSERT_EQ(rig.state().device.sensorType(), 0);

    rig.click(mainlayout::dpiCell(2, 11).center());
    EXPECT_EQ(rig.settings().dpiLevel(1), 10);
    EXPECT_TRUE(rig.shows(skinfiles::kDpiCellLight, mainlayout::dpiCell(2, 11).topLeft()));
}

TEST(DpiPanel, AnApplyThatReadsAnotherSensorTypeShowsItsLevelsAtOnce)
{
    PageTestRig rig;
    rig.startWith(1);
    // The mouse comes back with a twelve-level sensor, but its read breaks off
    // at page 4: the page keeps the eight levels of the last complete read.
    rig.mouse->vanish();
    emit rig.watcher->deviceChanged(DeviceChange::Removal);
    rig.app->deviceLink()->settle();
    rig.mouse->reappear();
    ConfigImage image = MouseFirmware::factoryImage();
    image.page(4)[ConfigImage::kPage4SensorType] = 0;
    rig.mouse->firmware().setImage(image);
    rig.mouse->failAt(rig.mouse->exchangeCount() + 2 + 3 * 3 + 2, SimulatedFault::NoAnswer);
    emit rig.watcher->deviceChanged(DeviceChange::Arrival);
    rig.app->deviceLink()->settle();
    rig.showFromIcon();
    ASSERT_EQ(rig.state().device.sensorType(), 1);
    ASSERT_FALSE(rig.shows(skinfiles::kDpiCellDark, mainlayout::dpiCell(2, 12).topLeft()));

    // Apply reads the mouse again first and finds the new sensor: the page
    // shows its twelve levels without waiting for another arrival.
    rig.click(mainlayout::kApply.center());
    ASSERT_EQ(rig.state().device.sensorType(), 0);
    EXPECT_TRUE(rig.shows(skinfiles::kDpiCellDark, mainlayout::dpiCell(2, 12).topLeft()));
}
