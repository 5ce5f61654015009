#pragma once

#include "skin/MessageReporter.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <optional>

class QPainter;

namespace kestrel {

class SkinImageCache;

// Decodes a skin image the way every draw needs it: an image with an alpha
// channel becomes 32-bit with each colour premultiplied as floor(c * a / 255);
// any other image stays opaque with its colours untouched. Every call reads
// the file again; drawing goes through a SkinImageCache instead. nullopt when
// the file cannot be read or decoded.
std::optional<QImage> decodeSkinImage(const QString& path);

// The image in a skin file, as stored; a null image when the file is missing,
// is no regular file (a pipe or device is never waited on), holds more than
// kMaxSkinImageFileSize bytes or cannot be decoded.
inline constexpr std::size_t kMaxSkinImageFileSize = std::size_t{32} << 20;
QImage readSkinImageFile(const QString& path);

// Draws the image at the path with its top-left corner at (x, y) and its own
// size: blended source-over when it has alpha, copied opaque otherwise. The
// decoded image comes from the cache, so an unchanged file is decoded once.
// The main window's form: a failure draws nothing and says nothing.
bool drawSkinImage(QPainter& surface, SkinImageCache& images, const QString& path, int x, int y);

// The sub-dialogs' form: a failure is also reported with the message
// "LoadPng---Load image failed." under the program's name.
bool drawSkinImage(QPainter& surface, SkinImageCache& images, const QString& path, int x, int y,
                   MessageReporter& reporter);

} // namespace kestrel
