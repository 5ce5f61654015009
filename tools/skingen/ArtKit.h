#pragma once

#include "SkinPalette.h"

#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QSize>

class QPainter;

namespace kestrel::skingen {

// The drawing vocabulary shared by every skin image: panels, grooves,
// glows and the Kestrel mark, all antialiased and aligned to pixel centres
// so that one-pixel lines stay crisp.
class ArtKit {
public:
    explicit ArtKit(const SkinPalette& palette) : palette_(palette) {}

    const SkinPalette& palette() const { return palette_; }
    QColor colour(QRgb rgb, int alpha = 255) const { return SkinPalette::colour(rgb, alpha); }

    // A fully transparent image ready for drawing.
    static QImage blankImage(QSize size);
    // A painter set up for antialiased drawing.
    static void prepare(QPainter& painter);

    void fillVertical(QPainter& painter, const QRectF& rect, QRgb top, QRgb bottom, qreal radius) const;
    // The body of a window's image, top to bottom in the window colours,
    // under a title bar of the given height.
    void windowBody(QPainter& painter, QSizeF size, qreal titleHeight) const;
    // The accent trace along the title bar's lower edge, fading out at the
    // given length, and the mark at the bar's left.
    void titleTrace(QPainter& painter, qreal titleHeight, qreal length, const QRectF& markBox) const;
    // The hairline border round the whole image.
    void outline(QPainter& painter, QSizeF size) const;
    // A raised section panel with a hairline border and a lit top edge.
    void card(QPainter& painter, const QRectF& rect) const;
    // A recessed groove or field.
    void well(QPainter& painter, const QRectF& rect, qreal radius) const;
    // A soft halo of the colour around a rounded rectangle.
    void glow(QPainter& painter, const QRectF& rect, QColor colour, qreal radius, int spread) const;
    // The accent rule under a section heading, fading into the panel's hairline.
    void headingRule(QPainter& painter, const QRectF& heading, qreal panelLeft, qreal panelRight) const;
    // Accent dots evenly round a circle, clockwise from the top, brightening
    // from the first dot's alpha to full on the last.
    void accentRing(QPainter& painter, QPointF centre, int dots, qreal radius, qreal dotRadius,
                    int firstAlpha) const;
    // A downward chevron centred in the rectangle.
    void chevron(QPainter& painter, const QRectF& rect, QColor colour) const;
    // The point (x, y) of a 100 x 100 design grid laid over the rectangle.
    static QPointF onGrid(const QRectF& rect, qreal x, qreal y);
    // The Kestrel mark: a falcon in a stoop, filling the rectangle.
    static QPainterPath kestrelMark(const QRectF& rect);
    // A one-pixel line between pixel centres.
    static void hairline(QPainter& painter, qreal x1, qreal y1, qreal x2, qreal y2, QColor colour);

private:
    const SkinPalette& palette_;
};

} // namespace kestrel::skingen
