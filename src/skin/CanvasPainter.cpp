#include "skin/CanvasPainter.h"

#include "skin/SkinCanvas.h"

namespace kestrel {

CanvasPainter::CanvasPainter(SkinCanvas& canvas, CanvasTarget& target) : target_(target)
{
    if (!canvas.isNull())
        painter_.emplace(&canvas.image());
}

CanvasPainter::~CanvasPainter()
{
    if (!painter_)
        return;
    painter_->end();
    target_.present();
}

} // namespace kestrel
