#include "WindowIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <array>

namespace kestrel {

namespace {

constexpr std::array kSizes = {16, 22, 24, 32, 48, 64};

QPixmap drawMouse(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    // Body, then the split between the two buttons and the wheel.
    const QRectF body(14, 4, 36, 56);
    painter.setPen(QPen(QColor(20, 20, 20), 3));
    painter.setBrush(QColor(60, 60, 66));
    painter.drawRoundedRect(body, 18, 18);
    painter.setPen(QPen(QColor(20, 20, 20), 2));
    painter.drawLine(QPointF(32, 5), QPointF(32, 26));
    painter.drawLine(QPointF(15, 26), QPointF(49, 26));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 200, 255));
    painter.drawRoundedRect(QRectF(29, 10, 6, 12), 3, 3);
    // The lighting strip along the tail.
    painter.setBrush(QColor(255, 60, 60));
    painter.drawRoundedRect(QRectF(24, 48, 16, 4), 2, 2);
    return pixmap;
}

} // namespace

QIcon WindowIcon::make()
{
    QIcon icon;
    for (const int size : kSizes)
        icon.addPixmap(drawMouse(size));
    return icon;
}

} // namespace kestrel
