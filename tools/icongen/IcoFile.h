#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

namespace kestrel {

// A Windows icon file (.ico) holding one picture per size, for the
// executable's resources and the installer. Sizes below 256 px are stored as
// 32-bit device-independent bitmaps, which every reader of icons takes; the
// 256 px picture as PNG, as Windows stores its large icons.
class IcoFile {
public:
    // Each image square, 1 to 256 px.
    static QByteArray encode(const std::vector<QImage>& images);
};

} // namespace kestrel
