#pragma once

#include "skin/FontFit.h"
#include "skin/SkinPainter.h"

#include <QFont>
#include <QRect>
#include <QString>

namespace kestrel {

// A drawn text as it goes onto the surface.
struct FittedText {
    QRect rect;
    QString text;
    QFont font;
    TextLayout layout;
};

// Keeps a drawn text readable on a small dialog. A text that fits its
// rectangle is drawn there as laid out. A wider centred one is set smaller,
// down to a floor, so that it stays centred in its rectangle. Any other is
// moved sideways as little as possible to stay inside the surface; if it is
// wider than the surface it is set smaller, down to the floor, and only then
// cut with an ellipsis.
class TextFit {
public:
    static constexpr int kMargin = 12;
    static constexpr int kSmallestPixelSize = FontFit::kSmallestPixelSize;

    static FittedText fit(const QRect& rect, const QString& text, const QFont& font, TextLayout layout,
                          int surfaceWidth);
};

} // namespace kestrel
