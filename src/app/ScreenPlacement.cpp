#include "app/ScreenPlacement.h"

#include <algorithm>

namespace kestrel {

namespace {

// The start of a span of `length` moved as little as keeps it within [first, last];
// one longer than that starts at `first`.
int keepSpanInside(int start, int length, int first, int last)
{
    const int latestStart = last + 1 - length;
    return std::max(first, std::min(start, latestStart));
}

} // namespace

QPoint ScreenPlacement::keepInside(const QRect& area, const QRect& window)
{
    return {keepSpanInside(window.left(), window.width(), area.left(), area.right()),
            keepSpanInside(window.top(), window.height(), area.top(), area.bottom())};
}

} // namespace kestrel
