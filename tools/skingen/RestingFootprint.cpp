#include "RestingFootprint.h"

#include <QPainter>

#include <array>

namespace kestrel::skingen {

std::pair<QImage, QImage> RestingFootprint::cover(const QImage& first, const QImage& second,
                                                  std::span<const Placement> placements)
{
    const QImage backdrop = backdropUnder(first, placements);
    QImage footprint(first.size(), QImage::Format_ARGB32_Premultiplied);
    footprint.fill(Qt::transparent);
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            if (qAlpha(first.pixel(x, y)) != 0 || qAlpha(second.pixel(x, y)) != 0)
                footprint.setPixel(x, y, backdrop.pixel(x, y));
        }
    }
    return {over(footprint, first), over(footprint, second)};
}

// Every pixel the average of the backdrops at the control's places, opaque.
QImage RestingFootprint::backdropUnder(const QImage& shape, std::span<const Placement> placements)
{
    QImage average(shape.size(), QImage::Format_ARGB32);
    for (int y = 0; y < shape.height(); ++y) {
        for (int x = 0; x < shape.width(); ++x) {
            std::array<int, 3> sum{};
            for (const Placement& place : placements) {
                const QRgb pixel = place.backdrop.pixel(place.at + QPoint(x, y));
                sum[0] += qRed(pixel);
                sum[1] += qGreen(pixel);
                sum[2] += qBlue(pixel);
            }
            const int count = static_cast<int>(placements.size());
            average.setPixel(x, y, qRgb(sum[0] / count, sum[1] / count, sum[2] / count));
        }
    }
    return average;
}

QImage RestingFootprint::over(const QImage& backdrop, const QImage& art)
{
    QImage result = backdrop;
    QPainter painter(&result);
    painter.drawImage(0, 0, art);
    painter.end();
    return result.convertToFormat(QImage::Format_ARGB32);
}

} // namespace kestrel::skingen
