#include "CMemDC.h"

#include "SkinCanvas.h"

namespace kestrel {

CMemDC::CMemDC(SkinCanvas& canvas, CanvasTarget& target) : target_(target)
{
    if (!canvas.isNull())
        painter_.emplace(&canvas.image());
}

CMemDC::~CMemDC()
{
    if (!painter_)
        return;
    painter_->end();
    target_.present();
}

} // namespace kestrel
