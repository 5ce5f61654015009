#include "skin/SkinImage.h"

#include "config/BinaryFile.h"
#include "skin/SkinImageCache.h"

#include <QPainter>

#include <filesystem>

namespace kestrel {

namespace {

constexpr const char* kLoadFailedMessage = "LoadPng---Load image failed.";

// Premultiplies in place with truncating division; Qt's own conversion
// rounds, which would brighten half-transparent edges by one step.
QImage premultiplyTruncating(QImage straight)
{
    for (int y = 0; y < straight.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(straight.scanLine(y));
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb pixel = line[x];
            const unsigned alpha = qAlpha(pixel);
            line[x] = qRgba(static_cast<int>(qRed(pixel) * alpha / 255), static_cast<int>(qGreen(pixel) * alpha / 255),
                            static_cast<int>(qBlue(pixel) * alpha / 255), static_cast<int>(alpha));
        }
    }
    straight.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    return straight;
}

} // namespace

QImage readSkinImageFile(const QString& path)
{
    const BinaryFile::ReadResult contents =
        BinaryFile::read(std::filesystem::path(path.toStdU16String()), kMaxSkinImageFileSize);
    if (contents.error)
        return {};
    return QImage::fromData(contents.bytes.data(), static_cast<int>(contents.bytes.size()));
}

std::optional<QImage> decodeSkinImage(const QString& path)
{
    const QImage decoded = readSkinImageFile(path);
    if (decoded.isNull())
        return std::nullopt;
    if (decoded.hasAlphaChannel())
        return premultiplyTruncating(decoded.convertToFormat(QImage::Format_ARGB32));
    return decoded.convertToFormat(QImage::Format_RGB32);
}

bool drawSkinImage(QPainter& surface, SkinImageCache& images, const QString& path, int x, int y)
{
    const std::optional<QImage> image = images.image(path);
    if (!image)
        return false;
    surface.setCompositionMode(QPainter::CompositionMode_SourceOver);
    surface.drawImage(QPoint(x, y), *image);
    return true;
}

bool drawSkinImage(QPainter& surface, SkinImageCache& images, const QString& path, int x, int y,
                   MessageReporter& reporter)
{
    if (drawSkinImage(surface, images, path, x, y))
        return true;
    reporter.showMessage(kLoadFailedMessage, "");
    return false;
}

} // namespace kestrel
