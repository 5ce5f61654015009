#pragma once

#include <QImage>
#include <QPoint>

#include <span>
#include <utility>

namespace kestrel::skingen {

// The window draws a control's image over whatever the control showed last,
// so the two images of a control (resting and highlighted, dark and lit,
// off and ticked) must each cover everything the other one draws. This gives
// both an opaque footprint over the pixels either of them touches: the
// backdrop the control sits on, averaged over the places it is drawn at,
// with the control's own art over it.
class RestingFootprint {
public:
    struct Placement {
        const QImage& backdrop;
        QPoint at;
    };

    // The pair with their shared footprint filled in; the images are of one size.
    static std::pair<QImage, QImage> cover(const QImage& first, const QImage& second,
                                           std::span<const Placement> placements);

private:
    static QImage backdropUnder(const QImage& shape, std::span<const Placement> placements);
    static QImage over(const QImage& backdrop, const QImage& art);
};

} // namespace kestrel::skingen
