#include "dialogs/TextFit.h"

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

// A text that fits its rectangle is drawn as laid out, as long as that
// rectangle keeps it on the surface: some reach past the dialog's edge.
bool fitsAsLaidOut(const QRect& rect, const QString& text, const QFont& font, TextLayout layout, int surfaceWidth)
{
    const int width = widthOf(text, font);
    const int left = leftFor(rect, width, layout);
    return width <= rect.width() && left >= TextFit::kMargin && left + width <= surfaceWidth - TextFit::kMargin;
}

bool isCentred(TextLayout layout) { return layout == TextLayout::Centred || layout == TextLayout::TopCentred; }

} // namespace

FittedText TextFit::fit(const QRect& rect, const QString& text, const QFont& font, TextLayout layout, int surfaceWidth)
{
    if (fitsAsLaidOut(rect, text, font, layout, surfaceWidth))
        return {rect, text, font, layout};
    // A centred text stays centred over what its rectangle marks (a prompt
    // over its swatch): it is set smaller to fit the rectangle where it can.
    if (isCentred(layout)) {
        const QFont smaller = FontFit::toFit(font, text, rect.width());
        if (fitsAsLaidOut(rect, text, smaller, layout, surfaceWidth))
            return {rect, text, smaller, layout};
    }
    const int room = std::max(surfaceWidth - 2 * kMargin, 1);
    const QFont smaller = FontFit::toFit(font, text, room);
    int width = widthOf(text, smaller);
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
