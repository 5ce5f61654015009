#include "SkinTestSupport.h"

#include "skin/CanvasPainter.h"
#include "skin/SkinCanvas.h"
#include "skin/SkinPainter.h"
#include "config/StrIniSettings.h"

#include <QFont>

#include <gtest/gtest.h>

namespace kestrel {
namespace {

struct CountingTarget final : CanvasTarget {
    int presents = 0;
    void present() override { ++presents; }
};

// The bounding box of every pixel that is not black.
QRect inkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0)
                bounds = bounds.united(QRect(x, y, 1, 1));
    return bounds;
}

bool hasPixel(const QImage& image, QRgb wanted)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == wanted)
                return true;
    return false;
}

class SkinPainterTest : public ::testing::Test {
protected:
    SkinPainterTest()
    {
        skin.writeRgb("/main.png", {200, 120}, Qt::black);
        canvas.loadBackground(skin.path("/main.png"));
        style.folder = skin.folder();
        style.textColour = Qt::white;
        style.normalFont.setPixelSize(14);
        style.titleFont.setPixelSize(40);
        style.titleFont.setBold(true);
    }

    skintest::TestSkin skin;
    SkinCanvas canvas;
    CountingTarget target;
    SkinStyle style;
    SkinImageCache images;
};

TEST_F(SkinPainterTest, ACompositionDrawsIntoTheCanvasAndCopiesOnce)
{
    skin.writeArgb("/a.png", {10, 10}, Qt::red);
    skin.writeArgb("/c.png", {10, 10}, Qt::blue);
    {
        CanvasPainter dc(canvas, target);
        SkinPainter painter(dc, style, images);
        EXPECT_TRUE(painter.image("/a.png", {0, 0}));
        // A missing image is skipped silently and the rest is drawn.
        EXPECT_FALSE(painter.image("/b.png", {20, 0}));
        EXPECT_TRUE(painter.image("/c.png", {40, 0}));
        EXPECT_EQ(target.presents, 0);
    }
    EXPECT_EQ(target.presents, 1);
    EXPECT_EQ(canvas.image().pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(canvas.image().pixel(25, 5), qRgb(0, 0, 0));
    EXPECT_EQ(canvas.image().pixel(45, 5), qRgb(0, 0, 255));
}

TEST_F(SkinPainterTest, AnEmptyCanvasComposesNothing)
{
    SkinCanvas empty;
    EXPECT_FALSE(empty.loadBackground(skin.path("/missing.png")));
    EXPECT_EQ(empty.size(), QSize(0, 0));
    {
        CanvasPainter dc(empty, target);
        EXPECT_FALSE(dc.isActive());
        SkinPainter painter(dc, style, images);
        EXPECT_FALSE(painter.image("/main.png", {0, 0}));
        painter.label({0, 0, 50, 20}, "x", TextLayout::Centred);
    }
    EXPECT_EQ(target.presents, 0);
}

TEST_F(SkinPainterTest, TheBackgroundKeepsItsColoursAndDropsItsAlpha)
{
    skin.writeArgb("/translucent.png", {30, 20}, QColor(200, 100, 50, 60));
    SkinCanvas translucent;
    ASSERT_TRUE(translucent.loadBackground(skin.path("/translucent.png")));
    EXPECT_EQ(translucent.size(), QSize(30, 20));
    EXPECT_EQ(translucent.image().pixel(3, 3), qRgb(200, 100, 50));
}

TEST_F(SkinPainterTest, TextColourThreeHundredDrawsFortyFour)
{
    StrIniSettings::SkinValues values{"300", "0", "0", "Default"};
    style.textColour = SkinStyle::fromRgb(StrIniSettings::skinColour(values));
    EXPECT_EQ(style.textColour, QColor(44, 0, 0));
    style.normalFont.setPixelSize(60);
    {
        CanvasPainter dc(canvas, target);
        SkinPainter(dc, style, images).label({0, 0, 200, 120}, "I", TextLayout::Centred);
    }
    // Pixels the stem covers completely carry exactly the skin text colour.
    EXPECT_TRUE(hasPixel(canvas.image(), qRgb(44, 0, 0)));
}

TEST_F(SkinPainterTest, TheTitleIsDarkGreyInTheTitleFont)
{
    {
        CanvasPainter dc(canvas, target);
        SkinPainter(dc, style, images).title({0, 0, 200, 120}, "I");
    }
    EXPECT_EQ(SkinStyle::titleColour(), QColor(0x42, 0x42, 0x42));
    EXPECT_TRUE(hasPixel(canvas.image(), qRgb(0x42, 0x42, 0x42)));
    // The title font is the larger one.
    EXPECT_GT(inkBounds(canvas.image()).height(), 20);
}

TEST_F(SkinPainterTest, TheFourLayoutsPlaceTheTextInTheRectangle)
{
    const QRect box(0, 0, 200, 120);
    const auto layoutBounds = [&](TextLayout layout) {
        canvas.image().fill(Qt::black);
        {
            CanvasPainter dc(canvas, target);
            SkinPainter(dc, style, images).label(box, "Mode", layout);
        }
        return inkBounds(canvas.image());
    };
    const QRect centred = layoutBounds(TextLayout::Centred);
    EXPECT_NEAR(centred.center().x(), box.center().x(), 3);
    EXPECT_NEAR(centred.center().y(), box.center().y(), 4);
    const QRect left = layoutBounds(TextLayout::Left);
    EXPECT_LT(left.left(), 4);
    EXPECT_NEAR(left.center().y(), box.center().y(), 4);
    const QRect right = layoutBounds(TextLayout::Right);
    EXPECT_GT(right.right(), box.right() - 4);
    const QRect top = layoutBounds(TextLayout::TopCentred);
    EXPECT_LT(top.top(), 8);
    EXPECT_NEAR(top.center().x(), box.center().x(), 3);
}

TEST_F(SkinPainterTest, AnImageButtonBlendsItsStateOverTheOldOneWithItsCaption)
{
    QImage normal(20, 10, QImage::Format_ARGB32);
    normal.fill(QColor(0, 0, 200));
    skin.write("/button-normal.png", normal);
    // The hover image is clear on its left half: the normal state shows through.
    QImage over(20, 10, QImage::Format_ARGB32);
    over.fill(QColor(0, 200, 0));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            over.setPixel(x, y, qRgba(0, 0, 0, 0));
    skin.write("/button-over.png", over);
    const ImageButton button{{30, 30, 20, 10}, "/button-normal.png", "/button-over.png"};
    {
        CanvasPainter dc(canvas, target);
        SkinPainter painter(dc, style, images);
        painter.imageButton(button, false, QString());
        painter.imageButton(button, true, QString());
    }
    EXPECT_EQ(canvas.image().pixel(32, 35), qRgb(0, 0, 200));
    EXPECT_EQ(canvas.image().pixel(45, 35), qRgb(0, 200, 0));

    canvas.image().fill(Qt::black);
    {
        CanvasPainter dc(canvas, target);
        SkinPainter(dc, style, images).imageButton({{0, 0, 200, 120}, "/missing.png", "/missing.png"}, false, "OK");
    }
    const QRect caption = inkBounds(canvas.image());
    EXPECT_NEAR(caption.center().x(), 100, 3);
    EXPECT_NEAR(caption.center().y(), 60, 4);
}

} // namespace
} // namespace kestrel
