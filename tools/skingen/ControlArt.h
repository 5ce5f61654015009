#pragma once

#include "ArtKit.h"

#include <QImage>

namespace kestrel::skingen {

// The small images drawn over the page: buttons, drop-down boxes, window
// buttons, report-rate marks, DPI cells and stage boxes. Each is sized to
// the hot rectangle it is drawn at; "lit" and "hover" give the second state.
class ControlArt {
public:
    enum class WindowGlyph { Minimise, Close, Skins };

    explicit ControlArt(const ArtKit& kit) : kit_(kit) {}

    QImage captionButton(bool hover) const;
    QImage dropDownBox(bool hover) const;
    QImage windowButton(WindowGlyph glyph, bool hover) const;
    QImage pageButton(bool hover) const;
    QImage reportRateMark(bool lit) const;
    QImage dpiCell(bool lit) const;
    QImage stageBox(bool ticked) const;

private:
    void drawGlyph(QPainter& painter, WindowGlyph glyph, QColor colour) const;

    const ArtKit& kit_;
};

} // namespace kestrel::skingen
