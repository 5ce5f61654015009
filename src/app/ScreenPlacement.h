#pragma once

#include <QPoint>
#include <QRect>

namespace kestrel {

// Where a window goes so that it can be reached: inside the screen's free
// area. A window larger than the area keeps its top-left corner, and so its
// title strip and the hot spots along it, in the area's top-left corner.
class ScreenPlacement {
public:
    // The top-left corner for `window`, moved as little as keeps it inside `area`.
    static QPoint keepInside(const QRect& area, const QRect& window);
};

} // namespace kestrel
