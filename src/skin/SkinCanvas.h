#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QPainter;

namespace kestrel {

// The background bitmap: "/main.png" decoded once and kept for the life of
// the window. It is the window's permanent canvas: every composition draws
// into it and the window shows exactly it. A background that failed to load
// leaves the canvas empty (zero by zero), and nothing is ever composed.
class SkinCanvas {
public:
    // Decodes the image without premultiplying; its alpha is ignored.
    bool loadBackground(const QString& path);

    bool isNull() const { return image_.isNull(); }
    QSize size() const { return image_.size(); }
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

    // Erasing the window: one plain copy of the canvas as last composed.
    void showOn(QPainter& windowPainter) const;

private:
    QImage image_;
};

} // namespace kestrel
