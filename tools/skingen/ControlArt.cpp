#include "ControlArt.h"

#include "skin/MainWindowLayout.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

namespace kestrel::skingen {

namespace {

QColor mix(QColor a, QColor b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

} // namespace

QImage ControlArt::captionButton(bool hover) const
{
    const SkinPalette& p = kit_.palette();
    QImage image = ArtKit::blankImage(mainlayout::kOk.size());
    QPainter painter(&image);
    ArtKit::prepare(painter);
    // One pixel of air on each side keeps neighbouring buttons apart.
    const QRectF body(1, 1, image.width() - 2, image.height() - 2);
    const QColor face = kit_.colour(hover ? p.controlHover : p.control);
    QLinearGradient gradient(body.topLeft(), body.bottomLeft());
    gradient.setColorAt(0.0, mix(face, Qt::white, 0.08));
    gradient.setColorAt(1.0, mix(face, Qt::black, 0.18));
    painter.setBrush(gradient);
    painter.drawRoundedRect(body, 4, 4);
    if (hover) {
        painter.setBrush(kit_.colour(p.accent, 46));
        painter.drawRoundedRect(body, 4, 4);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(hover ? kit_.colour(p.accent) : kit_.colour(p.cardBorder), 1));
    painter.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 3.5, 3.5);
    ArtKit::hairline(painter, body.left() + 4, body.top() + 1.5, body.right() - 4, body.top() + 1.5,
                     QColor(255, 255, 255, hover ? 40 : 22));
    if (hover) {
        painter.setBrush(kit_.colour(p.accentBright));
        painter.drawRoundedRect(QRectF(body.left() + 10, body.bottom() - 2.5, body.width() - 20, 1.5), 0.7, 0.7);
    }
    return image;
}

QImage ControlArt::dropDownBox(bool hover) const
{
    const SkinPalette& p = kit_.palette();
    QImage image = ArtKit::blankImage(mainlayout::keyDropDown(1).size());
    QPainter painter(&image);
    ArtKit::prepare(painter);
    const QRectF body(0, 0, image.width(), image.height());
    const QColor face = hover ? mix(kit_.colour(p.well), kit_.colour(p.accent), 0.10) : kit_.colour(p.well);
    painter.setBrush(face);
    painter.drawRoundedRect(body, 3, 3);
    // The digit sits in its own cell on the left; the chevron on the right.
    const QRectF digitCell(0, 0, 20, image.height());
    painter.setBrush(hover ? kit_.colour(p.accent, 60) : kit_.colour(p.control));
    painter.drawRoundedRect(digitCell.adjusted(1, 1, 0, -1), 2.5, 2.5);
    ArtKit::hairline(painter, 20.5, 3, 20.5, image.height() - 3, kit_.colour(p.wellBorder));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(hover ? kit_.colour(p.accent) : kit_.colour(p.wellBorder), 1));
    painter.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    const QRectF chevronCell(image.width() - 20, 0, 20, image.height());
    kit_.chevron(painter, chevronCell, hover ? kit_.colour(p.accentBright) : kit_.colour(p.icon));
    return image;
}

void ControlArt::drawGlyph(QPainter& painter, WindowGlyph glyph, QColor colour) const
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (glyph) {
    case WindowGlyph::Minimise:
        painter.drawLine(QPointF(5, 12), QPointF(13, 12));
        break;
    case WindowGlyph::Close:
        painter.drawLine(QPointF(5.5, 5.5), QPointF(12.5, 12.5));
        painter.drawLine(QPointF(12.5, 5.5), QPointF(5.5, 12.5));
        break;
    case WindowGlyph::Skins: {
        // A half-filled disc: the usual sign for a colour theme.
        const QRectF disc(3.5, 3.5, 11, 11);
        painter.drawEllipse(disc);
        QPainterPath half;
        half.moveTo(disc.center());
        half.arcTo(disc, 90, 180);
        half.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPath(half);
        break;
    }
    }
}

QImage ControlArt::windowButton(WindowGlyph glyph, bool hover) const
{
    const SkinPalette& p = kit_.palette();
    QImage image = ArtKit::blankImage(mainlayout::kClose.size());
    QPainter painter(&image);
    ArtKit::prepare(painter);
    if (hover) {
        const QRgb plate = glyph == WindowGlyph::Close ? p.danger : p.controlHover;
        painter.setBrush(kit_.colour(plate));
        painter.drawRoundedRect(QRectF(0, 0, 18, 18), 4, 4);
        if (glyph != WindowGlyph::Close) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(kit_.colour(p.accent), 1));
            painter.drawRoundedRect(QRectF(0.5, 0.5, 17, 17), 3.5, 3.5);
        }
    }
    drawGlyph(painter, glyph, hover ? QColor(Qt::white) : kit_.colour(p.icon));
    return image;
}

QImage ControlArt::pageButton(bool hover) const
{
    const SkinPalette& p = kit_.palette();
    QImage image = ArtKit::blankImage(mainlayout::kPageButton.size());
    QPainter painter(&image);
    ArtKit::prepare(painter);
    const QRectF body(2, 2, 36, 36);
    if (hover)
        kit_.glow(painter, body, kit_.colour(p.accent), 8, 2);
    kit_.fillVertical(painter, body, hover ? p.controlHover : p.cardTop, p.cardBottom, 8);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(hover ? kit_.colour(p.accent) : kit_.colour(p.cardBorder), 1));
    painter.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 7.5, 7.5);
    // Three slider tracks with their knobs: the settings page.
    const QColor ink = hover ? kit_.colour(p.accentBright) : kit_.colour(p.icon);
    const qreal knobY[] = {25, 14, 20};
    for (int i = 0; i < 3; ++i) {
        const qreal x = 13 + 7 * i;
        ArtKit::hairline(painter, x, 11, x, 29, ink);
        painter.setBrush(hover ? kit_.colour(p.accent) : kit_.colour(p.control));
        painter.setPen(QPen(ink, 1.4));
        painter.drawEllipse(QPointF(x, knobY[i]), 2.6, 2.6);
    }
    return image;
}

QImage ControlArt::reportRateMark(bool lit) const
{
    const SkinPalette& p = kit_.palette();
    QImage image = ArtKit::blankImage(mainlayout::reportRateMark(1).size());
    QPainter painter(&image);
    ArtKit::prepare(painter);
    if (lit) {
        const QRectF bar(1, 2, image.width() - 2, image.height() - 4);
        kit_.glow(painter, bar, kit_.colour(p.accent), 3, 2);
        QLinearGradient gradient(bar.topLeft(), bar.bottomLeft());
        gradient.setColorAt(0.0, kit_.colour(p.accentBright));
        gradient.setColorAt(0.5, kit_.colour(p.accent));
        gradient.setColorAt(1.0, mix(kit_.colour(p.accent), Qt::black, 0.25));
        painter.setBrush(gradient);
        painter.drawRoundedRect(bar, 3, 3);
        ArtKit::hairline(painter, bar.left() + 4, bar.top() + 1.5, bar.right() - 4, bar.top() + 1.5,
                         QColor(255, 255, 255, 110));
    } else {
        const QRectF bar(1, 3, image.width() - 2, image.height() - 6);
        painter.setBrush(kit_.colour(p.idle));
        painter.drawRoundedRect(bar, 2.5, 2.5);
        ArtKit::hairline(painter, bar.left() + 3, bar.top() + 0.5, bar.right() - 3, bar.top() + 0.5,
                         QColor(255, 255, 255, 16));
    }
    return image;
}

QImage ControlArt::dpiCell(bool lit) const
{
    const SkinPalette& p = kit_.palette();
    QImage image = ArtKit::blankImage(mainlayout::dpiCell(1, 1).size());
    QPainter painter(&image);
    ArtKit::prepare(painter);
    const QRectF body(1, 1, 14, 14);
    if (lit) {
        kit_.glow(painter, body, kit_.colour(p.accent), 3, 1);
        QLinearGradient gradient(body.topLeft(), body.bottomRight());
        gradient.setColorAt(0.0, kit_.colour(p.accentBright));
        gradient.setColorAt(1.0, kit_.colour(p.accent));
        painter.setBrush(gradient);
        painter.drawRoundedRect(body, 3, 3);
        ArtKit::hairline(painter, 4, 2.5, 12, 2.5, QColor(255, 255, 255, 120));
    } else {
        painter.setBrush(kit_.colour(p.idle));
        painter.drawRoundedRect(body, 3, 3);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(255, 255, 255, 14), 1));
        painter.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    }
    return image;
}

QImage ControlArt::stageBox(bool ticked) const
{
    const SkinPalette& p = kit_.palette();
    QImage image = ArtKit::blankImage(mainlayout::stageSelectBox(1).size());
    QPainter painter(&image);
    ArtKit::prepare(painter);
    const QRectF body(1, 1, 14, 14);
    if (ticked) {
        painter.setBrush(kit_.colour(p.accent));
        painter.drawRoundedRect(body, 3, 3);
        QPainterPath tick;
        tick.moveTo(4.5, 8.2);
        tick.lineTo(7, 10.8);
        tick.lineTo(11.8, 5.2);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kit_.colour(p.well), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(tick);
    } else {
        painter.setBrush(kit_.colour(p.well));
        painter.drawRoundedRect(body, 3, 3);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(kit_.colour(p.icon, 150), 1));
        painter.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
    }
    return image;
}

} // namespace kestrel::skingen
