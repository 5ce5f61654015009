#include "ArtKit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

#include <cmath>
#include <numbers>

namespace kestrel::skingen {

QImage ArtKit::blankImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void ArtKit::prepare(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
}

void ArtKit::fillVertical(QPainter& painter, const QRectF& rect, QRgb top, QRgb bottom, qreal radius) const
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0.0, colour(top));
    gradient.setColorAt(1.0, colour(bottom));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(rect, radius, radius);
}

void ArtKit::windowBody(QPainter& painter, QSizeF size, qreal titleHeight) const
{
    fillVertical(painter, QRectF(QPointF(0, 0), size), palette_.windowTop, palette_.windowBottom, 0);
    painter.setBrush(colour(palette_.titleBar));
    painter.drawRect(QRectF(0, 0, size.width(), titleHeight));
}

void ArtKit::titleTrace(QPainter& painter, qreal titleHeight, qreal length, const QRectF& markBox) const
{
    QLinearGradient trace(0, 0, length, 0);
    trace.setColorAt(0.0, colour(palette_.accent));
    trace.setColorAt(1.0, colour(palette_.accent, 0));
    painter.setPen(QPen(QBrush(trace), 1));
    painter.drawLine(QPointF(0, titleHeight - 0.5), QPointF(length, titleHeight - 0.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour(palette_.accent));
    painter.drawPath(kestrelMark(markBox));
}

void ArtKit::outline(QPainter& painter, QSizeF size) const
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour(palette_.cardBorder), 1));
    painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    painter.setPen(Qt::NoPen);
}

void ArtKit::card(QPainter& painter, const QRectF& rect) const
{
    // A faint drop shadow first, so the panel lifts off the window body.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(rect.translated(0, 2), 7, 7);
    fillVertical(painter, rect, palette_.cardTop, palette_.cardBottom, 6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour(palette_.cardBorder), 1));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    hairline(painter, rect.left() + 6, rect.top() + 1.5, rect.right() - 6, rect.top() + 1.5, QColor(255, 255, 255, 18));
}

void ArtKit::well(QPainter& painter, const QRectF& rect, qreal radius) const
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour(palette_.well));
    painter.drawRoundedRect(rect, radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour(palette_.wellBorder), 1));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    // Light catches the lower lip of a recess.
    hairline(painter, rect.left() + radius, rect.bottom() + 0.5, rect.right() - radius, rect.bottom() + 0.5,
             QColor(255, 255, 255, 14));
}

void ArtKit::glow(QPainter& painter, const QRectF& rect, QColor glowColour, qreal radius, int spread) const
{
    painter.setBrush(Qt::NoBrush);
    for (int step = spread; step >= 1; --step) {
        QColor ring = glowColour;
        ring.setAlpha(glowColour.alpha() * (spread - step + 1) / (spread * 3));
        painter.setPen(QPen(ring, 1));
        const qreal grow = step - 0.5;
        painter.drawRoundedRect(rect.adjusted(-grow, -grow, grow, grow), radius + grow, radius + grow);
    }
    painter.setPen(Qt::NoPen);
}

void ArtKit::headingRule(QPainter& painter, const QRectF& heading, qreal panelLeft, qreal panelRight) const
{
    const qreal y = heading.bottom() + 3.5;
    QLinearGradient fade(panelLeft, y, panelRight, y);
    fade.setColorAt(0.0, colour(palette_.cardBorder, 0));
    fade.setColorAt(0.15, colour(palette_.cardBorder));
    fade.setColorAt(0.85, colour(palette_.cardBorder));
    fade.setColorAt(1.0, colour(palette_.cardBorder, 0));
    painter.setPen(QPen(QBrush(fade), 1));
    painter.drawLine(QPointF(panelLeft, y), QPointF(panelRight, y));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour(palette_.accent));
    painter.drawRoundedRect(QRectF(heading.left() + 12, y - 1, heading.width() - 24, 2.5), 1.2, 1.2);
}

void ArtKit::accentRing(QPainter& painter, QPointF centre, int dots, qreal radius, qreal dotRadius,
                        int firstAlpha) const
{
    for (int dot = 0; dot < dots; ++dot) {
        const qreal angle = 2 * std::numbers::pi * dot / dots - std::numbers::pi / 2;
        const QPointF spot = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
        painter.setBrush(colour(palette_.accent, firstAlpha + (255 - firstAlpha) * dot / (dots - 1)));
        painter.drawEllipse(spot, dotRadius, dotRadius);
    }
}

void ArtKit::chevron(QPainter& painter, const QRectF& rect, QColor chevronColour) const
{
    const QPointF centre = rect.center();
    const qreal half = qMin(rect.width(), rect.height()) * 0.22;
    QPainterPath path;
    path.moveTo(centre.x() - half, centre.y() - half * 0.5);
    path.lineTo(centre.x(), centre.y() + half * 0.55);
    path.lineTo(centre.x() + half, centre.y() - half * 0.5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(chevronColour, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
}

QPointF ArtKit::onGrid(const QRectF& rect, qreal x, qreal y)
{
    return QPointF(rect.left() + rect.width() * x / 100.0, rect.top() + rect.height() * y / 100.0);
}

QPainterPath ArtKit::kestrelMark(const QRectF& rect)
{
    // Designed on a 100 x 100 grid: swept wings, a narrow body and a
    // notched tail, symmetric about x = 50.
    const auto at = [&rect](qreal x, qreal y) { return onGrid(rect, x, y); };
    QPainterPath path;
    path.moveTo(at(50, 14));
    path.cubicTo(at(55, 16), at(57, 24), at(58, 32));
    path.cubicTo(at(72, 26), at(86, 20), at(100, 10));
    path.cubicTo(at(92, 30), at(78, 44), at(61, 52));
    path.lineTo(at(58, 76));
    path.lineTo(at(66, 92));
    path.lineTo(at(50, 84));
    path.lineTo(at(34, 92));
    path.lineTo(at(42, 76));
    path.lineTo(at(39, 52));
    path.cubicTo(at(22, 44), at(8, 30), at(0, 10));
    path.cubicTo(at(14, 20), at(28, 26), at(42, 32));
    path.cubicTo(at(43, 24), at(45, 16), at(50, 14));
    path.closeSubpath();
    return path;
}

void ArtKit::hairline(QPainter& painter, qreal x1, qreal y1, qreal x2, qreal y2, QColor lineColour)
{
    painter.setPen(QPen(lineColour, 1));
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    painter.setPen(Qt::NoPen);
}

} // namespace kestrel::skingen
