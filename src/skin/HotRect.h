#pragma once

#include <QPoint>
#include <QRect>

namespace kestrel {

// A hot rectangle given as left, top, right, bottom with right and bottom
// exclusive: a point is inside when left <= x < right and top <= y < bottom,
// which is exactly what QRect::contains() tests for the rectangle made here.
constexpr QRect hotRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

} // namespace kestrel
