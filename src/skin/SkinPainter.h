#pragma once

#include "skin/CanvasPainter.h"
#include "skin/SkinImageCache.h"
#include "skin/SkinStyle.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

#include <string_view>

namespace kestrel {

// The four ways a label sits in its rectangle, all on one line.
enum class TextLayout {
    Centred,     // centred horizontally and vertically
    Left,        // left-aligned, vertically centred
    TopCentred,  // centred horizontally, top-aligned
    Right,       // right-aligned, vertically centred
};

// An image button: its rectangle and its two images, drawn at the
// rectangle's top-left corner; the caption, if any, is centred over it.
struct ImageButton {
    QRect rect;
    std::string_view normalImage;
    std::string_view overImage;
};

// Drawing onto one composition with a window's skin: skin images by file
// name, decoded through the window's image cache, labels in the skin text
// colour and the normal font, the page title. Everything is skipped when the
// composition is inactive.
class SkinPainter {
public:
    SkinPainter(CanvasPainter& dc, const SkinStyle& style, SkinImageCache& images)
        : dc_(dc), style_(style), images_(images)
    {
    }

    bool image(std::string_view fileName, QPoint at);
    void label(const QRect& rect, const QString& text, TextLayout layout);
    void text(const QRect& rect, const QString& text, const QFont& font, const QColor& colour, TextLayout layout);
    void title(const QRect& rect, const QString& text);
    // The button in its normal or hover state, with its caption centred.
    void imageButton(const ImageButton& button, bool over, const QString& caption);

    const SkinStyle& style() const { return style_; }

private:
    CanvasPainter& dc_;
    const SkinStyle& style_;
    SkinImageCache& images_;
};

} // namespace kestrel
