#include "PageTestRig.h"

#include <DialogTestSupport.h>

#include "config/KeyFunctionCode.h"
#include "skin/MainWindowLayout.h"
#include "skin/PopupListSet.h"
#include "skin/SkinFiles.h"

#include <QFontMetrics>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

const ShownMessage kLeftKeyWarning{"Left key must be selected!", "Warning"};

bool isOpen(PageTestRig& rig, int k) { return rig.list(PopupListId::functionList(k)) != nullptr; }

TEST(KeySetting, TheOnlyLeftClickOfItsGroupOpensNoList)
{
    PageTestRig rig;
    rig.startWith();
    // Button 8 is hidden but holds "Key Off", so button 1 is the only "Left Click".
    rig.click(mainlayout::keyDropDown(1).center());
    EXPECT_EQ(rig.prompter.messages, std::vector<ShownMessage>{kLeftKeyWarning});
    EXPECT_FALSE(isOpen(rig, 1));

    rig.chooseFunction(2, 0);
    EXPECT_EQ(rig.settings().keyFunction(kGroup1, 1), 0);
    EXPECT_EQ(rig.caption(kGroup1, 1), "Left Click");
    rig.click(mainlayout::keyDropDown(1).center());
    EXPECT_TRUE(isOpen(rig, 1));
    EXPECT_EQ(rig.prompter.messages.size(), 1u);
}

TEST(KeySetting, AHiddenLeftClickOnButtonEightLiftsTheGuard)
{
    SettingsRecord settings = defaultSettingsRecord();
    settings.setKeyFunction(kGroup1, 7, 0);
    PageTestRig rig;
    rig.startWith(settings);
    rig.click(mainlayout::keyDropDown(1).center());
    EXPECT_TRUE(isOpen(rig, 1));
    EXPECT_TRUE(rig.prompter.messages.empty());
}

TEST(KeySetting, OneFunctionListAtATimeAndASecondClickClosesIt)
{
    PageTestRig rig;
    rig.startWith();
    rig.click(mainlayout::keyDropDown(5).center());
    ASSERT_TRUE(isOpen(rig, 5));
    QListWidget* list = rig.list(PopupListId::functionList(5));
    EXPECT_EQ(list->geometry(), mainlayout::functionList(5));
    ASSERT_EQ(list->count(), 14);
    EXPECT_EQ(list->item(0)->text(), "Left Click");
    EXPECT_EQ(list->item(kShiftRow)->text(), "Shift");
    // Every row fits without scrolling.
    EXPECT_LE(list->visualItemRect(list->item(kShiftRow)).bottom(), list->viewport()->height());

    rig.click(mainlayout::keyDropDown(2).center());
    EXPECT_FALSE(isOpen(rig, 5));
    EXPECT_TRUE(isOpen(rig, 2));
    rig.click(mainlayout::keyDropDown(2).center());
    EXPECT_FALSE(isOpen(rig, 2));
    // A click elsewhere on the window closes an open list too.
    rig.click(mainlayout::keyDropDown(3).center());
    rig.click({450, 100});
    EXPECT_FALSE(isOpen(rig, 3));
}

TEST(KeySetting, PlainRowsSetTheCodeAndTheCaptionOfTheShownGroup)
{
    PageTestRig rig;
    rig.startWith();
    const QImage before = rig.keyBox(3);
    rig.chooseFunction(3, kKeyOffRow);
    EXPECT_FALSE(isOpen(rig, 3));
    EXPECT_EQ(rig.settings().keyFunction(kGroup1, 2), 12);
    EXPECT_EQ(rig.caption(kGroup1, 2), "Key Off");
    EXPECT_EQ(rig.settings().keyFunction(kGroup2, 2), 2);
    EXPECT_EQ(rig.caption(kGroup2, 2), "Mid Click");
    EXPECT_NE(rig.keyBox(3), before);
    // Nothing reaches the mouse before "OK" or "Apply".
    EXPECT_EQ(rig.mouse->firmware().image(), MouseFirmware::factoryImage());
}

TEST(KeySetting, DpiSwitchIsChosenInTheSubListBesideItsRow)
{
    PageTestRig rig;
    rig.startWith();
    const SettingsRecord before = rig.settings();
    rig.click(mainlayout::keyDropDown(4).center());
    QListWidget* list = rig.list(PopupListId::functionList(4));
    ASSERT_NE(list, nullptr);
    dialogtest::clickRow(*list, kDpiSwitchRow);
    dialogtest::settle();
    EXPECT_TRUE(isOpen(rig, 4));
    EXPECT_EQ(rig.settings(), before);

    dialogtest::moveOverRow(*list, kDpiSwitchRow);
    QListWidget* subList = rig.list(PopupListId::dpiSubList());
    ASSERT_NE(subList, nullptr);
    const QRect row = list->visualItemRect(list->item(kDpiSwitchRow));
    EXPECT_EQ(subList->geometry().topLeft(), list->viewport()->mapTo(&rig.dlg(), QPoint(row.right() + 1, row.top())));
    EXPECT_EQ(subList->height(), 60);
    ASSERT_EQ(subList->count(), 3);
    EXPECT_EQ(subList->item(2)->text(), "DPI Loop");
    // 60 wide by design, wider where the font would cut its longest row.
    EXPECT_GE(subList->width(), 60);
    EXPECT_GT(subList->width(), QFontMetrics(subList->font()).horizontalAdvance("DPI Loop"));
    dialogtest::moveOverRow(*list, kDpiSwitchRow - 1);
    EXPECT_EQ(rig.list(PopupListId::dpiSubList()), nullptr);

    dialogtest::moveOverRow(*list, kDpiSwitchRow);
    rig.chooseRow(PopupListId::dpiSubList(), 2);
    EXPECT_EQ(rig.list(PopupListId::dpiSubList()), nullptr);
    EXPECT_FALSE(isOpen(rig, 4));
    EXPECT_EQ(rig.settings().keyFunction(kGroup1, 3), 5);
    EXPECT_EQ(rig.settings().dpiSwitchMode(kGroup1, 3), 5);
    EXPECT_EQ(rig.caption(kGroup1, 3), "DPI Loop");
    EXPECT_EQ(rig.settings().keyFunction(kGroup2, 3), 3);
    EXPECT_EQ(rig.caption(kGroup2, 3), "Forward");
}

TEST(KeySetting, ShiftIsOneButtonSharedByBothGroups)
{
    PageTestRig rig;
    rig.startWith();
    rig.chooseFunction(3, kShiftRow);
    EXPECT_EQ(rig.settings().keyFunction(kGroup1, 2), 13);
    EXPECT_EQ(rig.settings().keyFunction(kGroup2, 2), 13);
    EXPECT_EQ(rig.caption(kGroup1, 2), "Shift");
    EXPECT_EQ(rig.caption(kGroup2, 2), "Shift");

    // A second "Shift" in the shown group is refused silently.
    rig.chooseFunction(4, kShiftRow);
    EXPECT_FALSE(isOpen(rig, 4));
    EXPECT_EQ(rig.settings().keyFunction(kGroup1, 3), 3);
    EXPECT_TRUE(rig.prompter.messages.empty());

    // Leaving "Shift" in group 2 leaves it in both groups.
    rig.click(mainlayout::kModeB.center());
    rig.chooseFunction(3, kKeyOffRow);
    EXPECT_EQ(rig.settings().keyFunction(kGroup1, 2), 12);
    EXPECT_EQ(rig.settings().keyFunction(kGroup2, 2), 12);
    EXPECT_EQ(rig.caption(kGroup1, 2), "Key Off");
    EXPECT_EQ(rig.caption(kGroup2, 2), "Key Off");
}

TEST(KeySetting, ShiftDoesNotTakeTheOtherGroupsOnlyLeftClick)
{
    SettingsRecord settings = defaultSettingsRecord();
    settings.setKeyFunction(kGroup2, 0, 1);
    settings.setKeyFunction(kGroup2, 1, 0);
    PageTestRig rig;
    rig.startWith(settings);
    rig.chooseFunction(2, kShiftRow);
    EXPECT_EQ(rig.prompter.messages, std::vector<ShownMessage>{kLeftKeyWarning});
    EXPECT_FALSE(isOpen(rig, 2));
    EXPECT_EQ(rig.settings(), settings);
}

TEST(KeySetting, ModeButtonsShowTheOtherGroup)
{
    PageTestRig rig;
    rig.startWith();
    rig.chooseFunction(2, kKeyOffRow);
    const QImage groupOne = rig.keyBox(2);
    rig.click(mainlayout::kModeB.center());
    EXPECT_EQ(rig.settings().modeShown(), 1);
    EXPECT_TRUE(rig.showsEdges(skinfiles::kButtonOver, mainlayout::kModeB.topLeft()));
    EXPECT_TRUE(rig.showsEdges(skinfiles::kButtonNormal, mainlayout::kModeA.topLeft()));
    EXPECT_NE(rig.keyBox(2), groupOne);
    rig.chooseFunction(2, 4);
    EXPECT_EQ(rig.settings().keyFunction(kGroup2, 1), 4);
    EXPECT_EQ(rig.settings().keyFunction(kGroup1, 1), 12);

    rig.click(mainlayout::kModeA.center());
    EXPECT_EQ(rig.settings().modeShown(), 0);
    EXPECT_TRUE(rig.showsEdges(skinfiles::kButtonOver, mainlayout::kModeA.topLeft()));
    EXPECT_EQ(rig.keyBox(2), groupOne);
}

TEST(KeySetting, AStoredModeShownOutsideZeroAndOneShowsModeA)
{
    SettingsRecord settings = defaultSettingsRecord();
    settings.setModeShown(7);
    PageTestRig rig;
    rig.startWith(settings);
    EXPECT_TRUE(rig.showsEdges(skinfiles::kButtonOver, mainlayout::kModeA.topLeft()));
    rig.chooseFunction(2, kKeyOffRow);
    EXPECT_EQ(rig.settings().keyFunction(kGroup1, 1), 12);
    EXPECT_EQ(rig.settings().keyFunction(kGroup2, 1), 1);
}

TEST(KeySetting, DefaultResetsBothGroupsAndNothingElse)
{
    PageTestRig rig;
    rig.startWith();
    const QImage fresh = rig.keyBox(6);
    rig.chooseFunction(6, kShiftRow);
    rig.click(mainlayout::kModeB.center());
    rig.chooseFunction(2, kKeyOffRow);
    rig.settings().setMediaIndex(kGroup2, 1, 4);
    rig.settings().setReportRate(8);
    const int exchanges = rig.mouse->exchangeCount();

    rig.click(mainlayout::kDefault.center());
    SettingsRecord expected = defaultSettingsRecord();
    expected.setModeShown(1);
    expected.setMediaIndex(kGroup2, 1, 4);
    expected.setReportRate(8);
    EXPECT_EQ(rig.settings(), expected);
    EXPECT_EQ(rig.dlg().resources().captions, StrIniSettings::defaultCaptions(Language::English));
    // Group 2 is shown, and its captions are group 1's after the reset.
    EXPECT_EQ(rig.keyBox(6), fresh);
    EXPECT_EQ(rig.mouse->exchangeCount(), exchanges);
}

} // namespace
