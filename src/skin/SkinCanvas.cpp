#include "skin/SkinCanvas.h"

#include "skin/SkinImage.h"

#include <QPainter>

namespace kestrel {

bool SkinCanvas::loadBackground(const QString& path)
{
    const QImage decoded = readSkinImageFile(path);
    if (decoded.isNull()) {
        image_ = QImage();
        return false;
    }
    // Keep the colours as stored and drop the alpha: the canvas is opaque.
    // (From straight ARGB, Qt's conversion only masks the alpha byte.)
    image_ = decoded.convertToFormat(QImage::Format_ARGB32).convertToFormat(QImage::Format_RGB32);
    return true;
}

void SkinCanvas::showOn(QPainter& windowPainter) const
{
    if (isNull())
        return;
    windowPainter.setCompositionMode(QPainter::CompositionMode_Source);
    windowPainter.drawImage(QPoint(0, 0), image_);
}

} // namespace kestrel
