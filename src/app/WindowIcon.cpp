#include "app/WindowIcon.h"

#include <QPainter>
#include <QPixmap>

#include <array>

namespace kestrel {

namespace {

constexpr std::array kSizes = {16, 22, 24, 32, 48, 64};
// The shapes are laid out on a 64 x 64 grid.
constexpr double kGrid = 64.0;

struct RoundedBox {
    QRectF box;
    double radius;
    QColor fill;
    double outline;  // 0 for none
};

struct Stroke {
    QPointF from;
    QPointF to;
    double width;
};

const QColor kOutline(20, 20, 20);

// Body, the wheel and the lighting strip along the tail.
const std::array kBoxes = {
    RoundedBox{QRectF(14, 4, 36, 56), 18, QColor(60, 60, 66), 3},
    RoundedBox{QRectF(29, 10, 6, 12), 3, QColor(0, 200, 255), 0},
    RoundedBox{QRectF(24, 48, 16, 4), 2, QColor(255, 60, 60), 0},
};
// The split between the two buttons, drawn between the body and the wheel.
const std::array kStrokes = {
    Stroke{QPointF(32, 5), QPointF(32, 26), 2},
    Stroke{QPointF(15, 26), QPointF(49, 26), 2},
};

void drawBox(QPainter& painter, const RoundedBox& shape)
{
    painter.setPen(shape.outline > 0 ? QPen(kOutline, shape.outline) : QPen(Qt::NoPen));
    painter.setBrush(shape.fill);
    painter.drawRoundedRect(shape.box, shape.radius, shape.radius);
}

QString svgBox(const RoundedBox& shape)
{
    QString element = QStringLiteral(R"(  <rect x="%1" y="%2" width="%3" height="%4" rx="%5" fill="%6")")
                          .arg(shape.box.x())
                          .arg(shape.box.y())
                          .arg(shape.box.width())
                          .arg(shape.box.height())
                          .arg(shape.radius)
                          .arg(shape.fill.name());
    if (shape.outline > 0)
        element += QStringLiteral(R"( stroke="%1" stroke-width="%2")").arg(kOutline.name()).arg(shape.outline);
    return element + QStringLiteral("/>\n");
}

QString svgStroke(const Stroke& stroke)
{
    return QStringLiteral(R"(  <line x1="%1" y1="%2" x2="%3" y2="%4" stroke="%5" stroke-width="%6"/>)"
                          "\n")
        .arg(stroke.from.x())
        .arg(stroke.from.y())
        .arg(stroke.to.x())
        .arg(stroke.to.y())
        .arg(kOutline.name())
        .arg(stroke.width);
}

} // namespace

QImage WindowIcon::draw(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kGrid, size / kGrid);
    drawBox(painter, kBoxes[0]);
    painter.setPen(QPen(kOutline, kStrokes[0].width));
    for (const Stroke& stroke : kStrokes)
        painter.drawLine(stroke.from, stroke.to);
    for (std::size_t i = 1; i < kBoxes.size(); ++i)
        drawBox(painter, kBoxes[i]);
    return image;
}

QString WindowIcon::svg()
{
    QString text = QStringLiteral(R"(<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">)"
                                  "\n");
    text += svgBox(kBoxes[0]);
    for (const Stroke& stroke : kStrokes)
        text += svgStroke(stroke);
    for (std::size_t i = 1; i < kBoxes.size(); ++i)
        text += svgBox(kBoxes[i]);
    return text + QStringLiteral("</svg>\n");
}

QIcon WindowIcon::make()
{
    QIcon icon;
    for (const int size : kSizes)
        icon.addPixmap(QPixmap::fromImage(draw(size)));
    return icon;
}

} // namespace kestrel
