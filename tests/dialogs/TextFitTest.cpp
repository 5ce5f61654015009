#include "dialogs/TextFit.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace kestrel {
namespace {

QFont pixelFont(int size)
{
    QFont font;
    font.setPixelSize(size);
    return font;
}

TEST(TextFitTest, ATextThatFitsStaysAsLaidOut)
{
    const QRect rect(10, 20, 200, 16);
    const FittedText fitted = TextFit::fit(rect, "OK", pixelFont(14), TextLayout::Centred, 380);
    EXPECT_EQ(fitted.rect, rect);
    EXPECT_EQ(fitted.text, "OK");
    EXPECT_EQ(fitted.layout, TextLayout::Centred);
}

TEST(TextFitTest, ACentredTextWiderThanItsRectangleIsSetSmallerAndStaysCentred)
{
    const QFont font = pixelFont(14);
    const QString text = "Please click to set the UI text color";
    const QRect prompt(12, 64, 169, 30);
    ASSERT_GT(QFontMetrics(font).horizontalAdvance(text), prompt.width());
    const FittedText fitted = TextFit::fit(prompt, text, font, TextLayout::Centred, 380);
    EXPECT_EQ(fitted.rect, prompt);
    EXPECT_EQ(fitted.layout, TextLayout::Centred);
    EXPECT_EQ(fitted.text, text);
    EXPECT_LT(QFontInfo(fitted.font).pixelSize(), 14);
    EXPECT_LE(QFontMetrics(fitted.font).horizontalAdvance(text), prompt.width());
    // As large as the rectangle allows.
    QFont larger = fitted.font;
    larger.setPixelSize(QFontInfo(fitted.font).pixelSize() + 1);
    EXPECT_GT(QFontMetrics(larger).horizontalAdvance(text), prompt.width());
}

TEST(TextFitTest, AWiderTextMovesInsideTheSurface)
{
    const QFont font = pixelFont(14);
    // A centred text too wide for its rectangle even at the floor moves sideways instead.
    const QString text = "Please click to set the UI text color";
    const int width = QFontMetrics(font).horizontalAdvance(text);
    ASSERT_LT(width, 380 - 2 * TextFit::kMargin);
    const FittedText fitted = TextFit::fit(QRect(12, 64, 40, 30), text, font, TextLayout::Centred, 380);
    EXPECT_EQ(fitted.rect.left(), TextFit::kMargin);
    EXPECT_GE(fitted.rect.width(), width);
    EXPECT_EQ(fitted.rect.top(), 64);
    EXPECT_EQ(fitted.rect.height(), 30);
    EXPECT_EQ(fitted.text, text);
    EXPECT_EQ(QFontInfo(fitted.font).pixelSize(), 14);

    // Right-aligned near the right edge it keeps its right end where it can.
    const FittedText right = TextFit::fit(QRect(300, 0, 20, 16), "Break Time", font, TextLayout::Right, 380);
    EXPECT_EQ(right.rect.left() + QFontMetrics(font).horizontalAdvance("Break Time"), 320);
}

TEST(TextFitTest, ATextWiderThanTheSurfaceIsSetSmallerThenCut)
{
    const QString note = "Times (value range 0-127,0 indicates fire key to end when the key released)";
    const FittedText smaller = TextFit::fit(QRect(23, 214, 410, 26), note, pixelFont(14), TextLayout::Left, 380);
    EXPECT_EQ(smaller.text, note);
    EXPECT_LT(QFontInfo(smaller.font).pixelSize(), 14);
    EXPECT_GE(QFontInfo(smaller.font).pixelSize(), TextFit::kSmallestPixelSize);
    EXPECT_LE(smaller.rect.right(), 380 - TextFit::kMargin);
    EXPECT_GE(smaller.rect.left(), TextFit::kMargin);

    const FittedText cut = TextFit::fit(QRect(0, 0, 50, 16), note, pixelFont(14), TextLayout::Left, 120);
    EXPECT_TRUE(cut.text.endsWith(QChar(0x2026)));
    EXPECT_EQ(QFontInfo(cut.font).pixelSize(), TextFit::kSmallestPixelSize);
    EXPECT_LE(cut.rect.right(), 120 - TextFit::kMargin + 1);
}

} // namespace
} // namespace kestrel
