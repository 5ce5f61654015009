#include "RecordingActions.h"
#include "SkinTestSupport.h"

#include "skin/ClickDispatcher.h"
#include "skin/MainWindowLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrel {
namespace {

using Calls = std::vector<std::string>;
using skintest::FakeConditions;
using skintest::RecordingActions;

class ClickDispatcherTest : public ::testing::Test {
protected:
    Calls click(QPoint point, bool withPage = true)
    {
        actions.calls.clear();
        ClickDispatcher::dispatch(point, conditions, ClickTargets{actions, withPage ? &actions : nullptr, actions});
        return actions.calls;
    }
    static QPoint inside(const QRect& rect) { return rect.center(); }

    FakeConditions conditions;
    RecordingActions actions;
};

TEST_F(ClickDispatcherTest, OkAndApplyActOnlyWithAMouseAndTestingGoesOn)
{
    EXPECT_EQ(click(inside(mainlayout::kOk)), (Calls{"ok", "close lists"}));
    EXPECT_EQ(click(inside(mainlayout::kApply)), (Calls{"apply", "close lists"}));
    conditions.present = false;
    // Without a mouse no row matches, so the press moves the window.
    EXPECT_EQ(click(inside(mainlayout::kOk)), (Calls{"close lists", "drag"}));
    EXPECT_EQ(click(inside(mainlayout::kApply)), (Calls{"close lists", "drag"}));
    conditions.built = false;
    EXPECT_EQ(click(inside(mainlayout::kOk)), (Calls{"drag"}));
}

TEST_F(ClickDispatcherTest, WindowButtonsAnswerInEveryPageState)
{
    for (const bool built : {true, false}) {
        conditions.built = built;
        EXPECT_EQ(click(inside(mainlayout::kMinimise)), (Calls{"minimise"}));
        EXPECT_EQ(click(inside(mainlayout::kClose)), (Calls{"close"}));
        EXPECT_EQ(click(inside(mainlayout::kPageButton)), (Calls{"build"}));
    }
    conditions.built = true;
    EXPECT_EQ(click(inside(mainlayout::kSkins)), (Calls{"skins", "close lists"}));
    EXPECT_EQ(click(inside(mainlayout::kCancel)), (Calls{"cancel", "close lists"}));
}

TEST_F(ClickDispatcherTest, RowsThatGoOnStillMeetTheDragRowOfAnUnbuiltPage)
{
    conditions.built = false;
    EXPECT_EQ(click(inside(mainlayout::kOk)), (Calls{"ok", "drag"}));
    EXPECT_EQ(click(inside(mainlayout::kSkins)), (Calls{"skins", "drag"}));
    EXPECT_EQ(click(inside(mainlayout::kCancel)), (Calls{"cancel", "drag"}));
}

TEST_F(ClickDispatcherTest, ConditionsAreReadAfterEachAction)
{
    // The skin dialog rebuilds the page, so the lists are closed and nothing drags.
    conditions.built = false;
    actions.onCall = [this](const std::string& call) {
        if (call == "skins")
            conditions.built = true;
    };
    EXPECT_EQ(click(inside(mainlayout::kSkins)), (Calls{"skins", "close lists"}));
}

TEST_F(ClickDispatcherTest, SharedEdgesMatchBothButtonsInTableOrder)
{
    // Right and bottom edges are exclusive, but "OK" ends one pixel into "Apply".
    EXPECT_EQ(click({666, 630}), (Calls{"ok", "apply", "close lists"}));
    EXPECT_EQ(click({770, 630}), (Calls{"apply", "cancel", "close lists"}));
    EXPECT_EQ(click({875, 630}), (Calls{"close lists", "drag"}));
    EXPECT_EQ(click({600, 644}), (Calls{"close lists", "drag"}));
}

TEST_F(ClickDispatcherTest, PlainSurfaceDragsAndClosesListsFirstOnABuiltPage)
{
    EXPECT_EQ(click({5, 300}), (Calls{"close lists", "drag"}));
    conditions.built = false;
    EXPECT_EQ(click({5, 300}), (Calls{"drag"}));
}

TEST_F(ClickDispatcherTest, PageButtonsCloseListsThenAct)
{
    EXPECT_EQ(click(inside(mainlayout::kModeA)), (Calls{"close lists", "group 1"}));
    EXPECT_EQ(click(inside(mainlayout::kModeB)), (Calls{"close lists", "group 2"}));
    EXPECT_EQ(click(inside(mainlayout::kDefault)), (Calls{"close lists", "default"}));
    EXPECT_EQ(click(inside(mainlayout::kModeBox)), (Calls{"close lists", "mode"}));
    EXPECT_EQ(click(inside(mainlayout::kParameterBox)), (Calls{"close lists", "parameter"}));
    EXPECT_EQ(click(inside(mainlayout::kEffectBox)), (Calls{"close lists", "effect"}));
}

TEST_F(ClickDispatcherTest, IndexedRectanglesReportTheirNumber)
{
    for (int k = 1; k <= mainlayout::kKeyDropDownCount; ++k)
        EXPECT_EQ(click(inside(mainlayout::keyDropDown(k))), (Calls{"close lists", "dropdown " + std::to_string(k)}));
    for (int i = 1; i <= 4; ++i) {
        const std::string n = std::to_string(i);
        EXPECT_EQ(click(inside(mainlayout::reportRateMark(i))), (Calls{"close lists", "mark " + n}));
        EXPECT_EQ(click(inside(mainlayout::stageSelectBox(i))), (Calls{"close lists", "select " + n}));
        // The swatch of a stage not in use is the page's to ignore; it never drags.
        EXPECT_EQ(click(inside(mainlayout::colourSwatch(i))), (Calls{"close lists", "swatch " + n}));
    }
}

TEST_F(ClickDispatcherTest, EveryDpiCellOfSensorTypeZeroIsReachable)
{
    for (int stage = 1; stage <= 4; ++stage) {
        for (int step = 1; step <= 12; ++step) {
            const std::string cell = "cell " + std::to_string(stage) + "/" + std::to_string(step);
            EXPECT_EQ(click(inside(mainlayout::dpiCell(stage, step))), (Calls{"close lists", cell}));
        }
    }
}

TEST_F(ClickDispatcherTest, UpperCellsAreInertForOtherSensorTypes)
{
    for (const std::uint8_t sensor : {1, 2, 3, 4}) {
        conditions.sensor = sensor;
        EXPECT_EQ(click(inside(mainlayout::dpiCell(2, 8))), (Calls{"close lists", "cell 2/8"}));
        for (int step = 9; step <= 12; ++step)
            EXPECT_EQ(click(inside(mainlayout::dpiCell(3, step))), (Calls{"close lists", "drag"}));
    }
}

TEST_F(ClickDispatcherTest, PageRowsWaitForTheBuiltPage)
{
    conditions.built = false;
    EXPECT_EQ(click(inside(mainlayout::keyDropDown(1))), (Calls{"drag"}));
    EXPECT_EQ(click(inside(mainlayout::kModeA)), (Calls{"drag"}));
    EXPECT_EQ(click(inside(mainlayout::dpiCell(1, 1))), (Calls{"drag"}));
    // Built but without a page object, the rows still match and so never drag.
    conditions.built = true;
    EXPECT_EQ(click(inside(mainlayout::keyDropDown(1)), false), (Calls{"close lists"}));
}

TEST(ClickTableTest, RowsAreInTheirFixedOrder)
{
    const std::vector<ClickAction> order = {
        ClickAction::Ok,          ClickAction::Apply,          ClickAction::Skins,          ClickAction::Minimise,
        ClickAction::Close,       ClickAction::PageButton,     ClickAction::Cancel,         ClickAction::Drag,
        ClickAction::CloseLists,  ClickAction::ModeA,          ClickAction::ModeB,          ClickAction::DefaultKeys,
        ClickAction::KeyDropDown, ClickAction::ReportRateMark, ClickAction::StageSelectBox, ClickAction::ColourSwatch,
        ClickAction::ModeBox,     ClickAction::ParameterBox,   ClickAction::EffectBox,      ClickAction::DpiCell,
        ClickAction::Drag,
    };
    ASSERT_EQ(kClickTable.size(), order.size());
    for (std::size_t row = 0; row < order.size(); ++row)
        EXPECT_EQ(kClickTable[row].action, order[row]) << "row " << row + 1;
    EXPECT_EQ(clicktable::dpiCell(1), mainlayout::dpiCell(1, 1));
    EXPECT_EQ(clicktable::dpiCell(48), mainlayout::dpiCell(4, 12));
    EXPECT_EQ(mainlayout::dpiCell(1, 12), hotRect(554, 302, 570, 318));
}

} // namespace
} // namespace kestrel
