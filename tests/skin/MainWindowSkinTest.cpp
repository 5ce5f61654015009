#include "RecordingActions.h"
#include "SkinTestSupport.h"

#include <MainWindowLayout.h>
#include <MainWindowSkin.h>
#include <SkinFiles.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace kestrel {
namespace {

using skintest::RecordingActions;

struct FixedCaptions final : SurfaceCaptions {
    QString buttonCaption(HoverId) const override { return "OK"; }
    QString keyCaption(int) const override { return "Left Click"; }
};

class MainWindowSkinTest : public ::testing::Test {
protected:
    MainWindowSkinTest()
    {
        skin.writeRgb(skinfiles::kMain, {900, 650}, QColor(20, 20, 20));
        skin.writeArgb(skinfiles::kCloseNormal, {18, 18}, QColor(0, 0, 255));
        skin.writeArgb(skinfiles::kCloseOver, {18, 18}, QColor(255, 0, 0));
        skin.writeArgb(skinfiles::kDropDownNormal, {211, 21}, QColor(0, 0, 90));
        skin.writeArgb(skinfiles::kDropDownOver, {211, 21}, QColor(90, 0, 0));
        surface.style().folder = skin.folder();
        surface.style().textColour = Qt::white;
    }

    QRgb canvasAt(QPoint point) const { return surface.canvas().image().pixel(point); }

    skintest::TestSkin skin;
    skintest::FakeConditions conditions;
    RecordingActions actions;
    FixedCaptions captions;
    QWidget window;
    MainWindowSkin surface{window, conditions, actions, captions};
};

TEST_F(MainWindowSkinTest, TheWindowTakesTheSizeOfMainPng)
{
    ASSERT_TRUE(surface.loadBackground());
    EXPECT_EQ(window.size(), QSize(900, 650));
    EXPECT_EQ(canvasAt({450, 300}), qRgb(20, 20, 20));

    surface.style().folder = skin.folder() / "absent";
    EXPECT_FALSE(surface.loadBackground());
    EXPECT_EQ(window.size(), QSize(0, 0));
    EXPECT_FALSE(surface.compose().isActive());
}

TEST_F(MainWindowSkinTest, PaintingShowsTheCanvasAsLastComposed)
{
    ASSERT_TRUE(surface.loadBackground());
    {
        CMemDC dc = surface.compose();
        SkinPainter painter(dc, surface.style());
        surface.drawHoverItem(painter, HoverId::Close, false);
    }
    const QImage shown = window.grab().toImage();
    EXPECT_EQ(shown.pixel(mainlayout::kClose.center()), qRgb(0, 0, 255));
    EXPECT_EQ(shown.pixel(450, 300), qRgb(20, 20, 20));
}

TEST_F(MainWindowSkinTest, HoverNoticesDrawOverAndNormalInOneComposition)
{
    ASSERT_TRUE(surface.loadBackground());
    surface.hover().hoverNotice(mainlayout::keyDropDown(2).center());
    const QPoint boxPixel = mainlayout::keyDropDown(2).topLeft() + QPoint(100, 1);
    EXPECT_EQ(canvasAt(boxPixel), qRgb(90, 0, 0));
    surface.hover().hoverNotice(mainlayout::keyDropDown(6).center());
    EXPECT_EQ(canvasAt(boxPixel), qRgb(0, 0, 90));
    EXPECT_EQ(canvasAt(mainlayout::keyDropDown(6).topLeft() + QPoint(100, 1)), qRgb(90, 0, 0));
    // The digit and the caption are drawn over the drop-down in the skin text colour.
    bool digitInk = false;
    const QRect digit(mainlayout::keyDropDown(6).topLeft(), QSize(20, 21));
    for (int x = digit.left(); x <= digit.right(); ++x)
        for (int y = digit.top(); y <= digit.bottom(); ++y)
            digitInk = digitInk || qRed(canvasAt({x, y})) > 200;
    EXPECT_TRUE(digitInk);

    surface.hover().mouseMoved({5, 300});
    EXPECT_EQ(canvasAt(mainlayout::keyDropDown(6).topLeft() + QPoint(100, 1)), qRgb(0, 0, 90));
}

TEST_F(MainWindowSkinTest, WindowEventsReachTheDispatcherAndTheHoverRules)
{
    ASSERT_TRUE(surface.loadBackground());
    window.show();
    QTest::mouseClick(&window, Qt::LeftButton, {}, mainlayout::kMinimise.center());
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"minimise"}));
    // Other buttons do not dispatch.
    QTest::mouseClick(&window, Qt::RightButton, {}, mainlayout::kClose.center());
    EXPECT_EQ(actions.calls.size(), 1u);
    QMouseEvent move(QEvent::MouseMove, QPointF(mainlayout::kClose.center()), window.mapToGlobal(QPointF(mainlayout::kClose.center())),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
    EXPECT_TRUE(surface.hover().restTimer().isActive());
}

TEST_F(MainWindowSkinTest, ThePageAnswersItsRectanglesOnceSet)
{
    ASSERT_TRUE(surface.loadBackground());
    surface.mousePressed(mainlayout::kModeB.center());
    EXPECT_TRUE(actions.calls.empty());
    surface.setPageActions(&actions);
    surface.mousePressed(mainlayout::kModeB.center());
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"group 2"}));
}

} // namespace
} // namespace kestrel
