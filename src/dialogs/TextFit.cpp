#include "TextFit.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>

namespace kestrel {

namespace {

int widthOf(const QString& text, const QFont& font) { return QFontMetrics(font).horizontalAdvance(text); }

int leftFor(const QRect& rect, int width, TextLayout layout)
{
    switch (layout) {
    case TextLayout::Left:
        return rect.left();
    case TextLayout::Right:
        return rect.right() + 1 - width;
    case TextLayout::Centred:
    case TextLayout::TopCentred:
        break;
    }
    return rect.left() + (rect.width() - width) / 2;
}

} // namespace

FittedText TextFit::fit(const QRect& rect, const QString& text, const QFont& font, TextLayout layout, int surfaceWidth)
{
    int width = widthOf(text, font);
    // A text that fits its rectangle is drawn as laid out, as long as that
    // rectangle keeps it on the surface: some reach past the dialog's edge.
    const int left = leftFor(rect, width, layout);
    if (width <= rect.width() && left >= kMargin && left + width <= surfaceWidth - kMargin)
        return {rect, text, font, layout};
    const int room = std::max(surfaceWidth - 2 * kMargin, 1);
    QFont smaller = font;
    for (int size = QFontInfo(font).pixelSize(); width > room && size > kSmallestPixelSize;) {
        smaller.setPixelSize(--size);
        width = widthOf(text, smaller);
    }
    QString shown = text;
    if (width > room) {
        shown = QFontMetrics(smaller).elidedText(text, Qt::ElideRight, room);
        width = widthOf(shown, smaller);
    }
    const int rightmost = std::max(kMargin, surfaceWidth - kMargin - width);
    const int placedLeft = std::clamp(leftFor(rect, width, layout), kMargin, rightmost);
    const TextLayout placed = layout == TextLayout::TopCentred ? TextLayout::TopCentred : TextLayout::Left;
    // One spare pixel keeps the last glyph's overhang inside the rectangle.
    return {QRect(placedLeft, rect.top(), width + 1, rect.height()), shown, smaller, placed};
}

} // namespace kestrel
