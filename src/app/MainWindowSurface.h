#pragma once

class QMouseEvent;
class QPainter;
class QRect;

namespace kestrel {

// What the main window's client area shows and how it answers the mouse: the
// window hands every paint and mouse event to its surface.
class MainWindowSurface {
public:
    virtual ~MainWindowSurface() = default;
    virtual void paint(QPainter& painter, const QRect& dirty) = 0;
    virtual void mousePress(QMouseEvent& event) = 0;
    virtual void mouseMove(QMouseEvent& event) = 0;
    virtual void mouseLeave() = 0;
};

} // namespace kestrel
