#include "SkinTestSupport.h"

#include "skin/HoverTracker.h"
#include "skin/MainWindowLayout.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace kestrel {
namespace {

using Draws = std::vector<HoverDraw>;

struct RecordingDrawer final : HoverDrawer {
    std::vector<Draws> compositions;
    void drawHoverItems(std::span<const HoverDraw> items) override { compositions.emplace_back(items.begin(), items.end()); }
};

class HoverTrackerTest : public ::testing::Test {
protected:
    // A rest on the item: the move asks for the notice, the notice draws.
    void restOn(const QRect& rect)
    {
        tracker.mouseMoved(rect.center());
        tracker.hoverNotice(rect.center());
    }

    skintest::FakeConditions conditions;
    RecordingDrawer drawer;
    HoverTracker tracker{conditions, drawer};
    const QPoint plain{5, 300};
};

TEST_F(HoverTrackerTest, AMoveOntoAnItemAsksForANoticeAfterTenMilliseconds)
{
    tracker.mouseMoved(mainlayout::kOk.center());
    EXPECT_TRUE(tracker.restTimer().isActive());
    EXPECT_TRUE(tracker.restTimer().isSingleShot());
    EXPECT_EQ(tracker.restTimer().interval(), 10);
    EXPECT_TRUE(drawer.compositions.empty());
    tracker.mouseMoved(plain);
    EXPECT_FALSE(tracker.restTimer().isActive());
}

TEST_F(HoverTrackerTest, TheRestTimerDeliversTheNotice)
{
    tracker.mouseMoved(mainlayout::kClose.center());
    ASSERT_TRUE(QTest::qWaitFor([this] { return !drawer.compositions.empty(); }, 2000));
    EXPECT_EQ(drawer.compositions.front(), (Draws{{HoverId::Close, true}}));
    EXPECT_TRUE(tracker.isOver(HoverId::Close));
}

TEST_F(HoverTrackerTest, MovingAcrossTheButtonTrioHandsTheHoverOn)
{
    restOn(mainlayout::kOk);
    restOn(mainlayout::kApply);
    ASSERT_EQ(drawer.compositions.size(), 2u);
    EXPECT_EQ(drawer.compositions[0], (Draws{{HoverId::Ok, true}}));
    EXPECT_EQ(drawer.compositions[1], (Draws{{HoverId::Apply, true}, {HoverId::Ok, false}}));
    EXPECT_FALSE(tracker.isOver(HoverId::Ok));
    EXPECT_TRUE(tracker.isOver(HoverId::Apply));
}

TEST_F(HoverTrackerTest, ItemsOfDifferentGroupsStayHoveredUntilAPlainPoint)
{
    restOn(mainlayout::kOk);
    restOn(mainlayout::kClose);
    EXPECT_TRUE(tracker.isOver(HoverId::Ok));
    EXPECT_TRUE(tracker.isOver(HoverId::Close));
    tracker.mouseMoved(plain);
    ASSERT_EQ(drawer.compositions.size(), 3u);
    EXPECT_EQ(drawer.compositions[2], (Draws{{HoverId::Ok, false}, {HoverId::Close, false}}));
    // With nothing hovered a plain move draws nothing.
    tracker.mouseMoved(plain);
    EXPECT_EQ(drawer.compositions.size(), 3u);
}

TEST_F(HoverTrackerTest, LeavingTheWindowReturnsEveryHoveredItemAndCancelsAPendingNotice)
{
    restOn(mainlayout::kClose);
    restOn(mainlayout::kOk);
    tracker.mouseMoved(mainlayout::kMinimise.center());
    tracker.mouseLeft();
    EXPECT_FALSE(tracker.restTimer().isActive());
    ASSERT_EQ(drawer.compositions.size(), 3u);
    EXPECT_EQ(drawer.compositions[2], (Draws{{HoverId::Ok, false}, {HoverId::Close, false}}));
    EXPECT_FALSE(tracker.isOver(HoverId::Close));
    EXPECT_FALSE(tracker.isOver(HoverId::Minimise));
    // Nothing hovered: leaving again draws nothing.
    tracker.mouseLeft();
    EXPECT_EQ(drawer.compositions.size(), 3u);
}

TEST_F(HoverTrackerTest, KeyDropDownsFormAGroupOnlyOnABuiltPage)
{
    restOn(mainlayout::keyDropDown(2));
    restOn(mainlayout::keyDropDown(5));
    ASSERT_EQ(drawer.compositions.size(), 2u);
    EXPECT_EQ(drawer.compositions[1], (Draws{{HoverId::KeyDropDown5, true}, {HoverId::KeyDropDown2, false}}));
    restOn(mainlayout::kDefault);
    EXPECT_TRUE(tracker.isOver(HoverId::Default));
    EXPECT_TRUE(tracker.isOver(HoverId::KeyDropDown5));

    conditions.built = false;
    drawer.compositions.clear();
    tracker.mouseMoved(mainlayout::keyDropDown(3).center());
    EXPECT_FALSE(tracker.restTimer().isActive());
    tracker.hoverNotice(mainlayout::keyDropDown(3).center());
    tracker.hoverNotice(mainlayout::kDefault.center());
    // The move onto the unbuilt page's drop-down counts as plain: both return to normal.
    ASSERT_EQ(drawer.compositions.size(), 1u);
    EXPECT_EQ(drawer.compositions[0], (Draws{{HoverId::Default, false}, {HoverId::KeyDropDown5, false}}));
}

TEST_F(HoverTrackerTest, WindowButtonsAndTheNoticeOrder)
{
    for (const QRect& rect : {mainlayout::kSkins, mainlayout::kMinimise, mainlayout::kPageButton})
        restOn(rect);
    EXPECT_TRUE(tracker.isOver(HoverId::Skins));
    EXPECT_TRUE(tracker.isOver(HoverId::Minimise));
    EXPECT_TRUE(tracker.isOver(HoverId::PageButton));
    // On the pixel column shared by "OK" and "Apply", "OK" is tested first.
    drawer.compositions.clear();
    tracker.hoverNotice({666, 630});
    EXPECT_EQ(drawer.compositions.front().front(), (HoverDraw{HoverId::Ok, true}));
    // A notice on a plain point draws nothing.
    tracker.hoverNotice(plain);
    EXPECT_EQ(drawer.compositions.size(), 1u);
}

} // namespace
} // namespace kestrel
