#pragma once

#include <QPainter>

#include <optional>

namespace kestrel {

class SkinCanvas;

// The window that shows a canvas: present() copies the whole canvas to it once.
class CanvasTarget {
public:
    virtual ~CanvasTarget() = default;
    virtual void present() = 0;
};

// One composition: drawing goes straight into the canvas (the background
// bitmap), and when the composition ends the window gets one copy of the
// whole canvas, so the user never sees partial drawing. With an empty
// canvas the composition is inactive: nothing is drawn and nothing copied.
class CanvasPainter {
public:
    CanvasPainter(SkinCanvas& canvas, CanvasTarget& target);
    ~CanvasPainter();
    CanvasPainter(const CanvasPainter&) = delete;
    CanvasPainter& operator=(const CanvasPainter&) = delete;

    bool isActive() const { return painter_.has_value(); }
    // Only valid while active.
    QPainter& painter() { return *painter_; }

private:
    CanvasTarget& target_;
    std::optional<QPainter> painter_;
};

} // namespace kestrel
