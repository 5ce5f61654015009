#pragma once

#include "ArtKit.h"

#include <QImage>
#include <QSize>

namespace kestrel::skingen {

// The two full-window images of the main window: the empty background shown
// before a page exists ("/main.png") and the artwork of the basic settings
// page ("/BasicSet2.png"). The page artwork is opaque and covers the whole
// window, so a skin change repaints everything without reloading the
// background.
class WindowArt {
public:
    static constexpr QSize kWindowSize{900, 660};

    explicit WindowArt(const ArtKit& kit) : kit_(kit) {}

    QImage background() const;
    QImage basicPage() const;

private:
    void drawFrame(QPainter& painter) const;
    void drawPageHeader(QPainter& painter) const;
    void drawSidebar(QPainter& painter) const;
    void drawKeySection(QPainter& painter) const;
    void drawReportRateSection(QPainter& painter) const;
    void drawDpiSection(QPainter& painter) const;
    void drawEffectSection(QPainter& painter) const;
    void drawFooter(QPainter& painter) const;
    void drawMouse(QPainter& painter, const QRectF& box) const;

    const ArtKit& kit_;
};

} // namespace kestrel::skingen
