#pragma once

#include "RestingFootprint.h"
#include "SkinPalette.h"

#include <QImage>
#include <QString>

#include <span>
#include <string_view>
#include <utility>

namespace kestrel::skingen {

// Draws every image of one skin and writes it under its file name into the
// skin's folder. Reports the first file it could not write.
class SkinWriter {
public:
    explicit SkinWriter(QString skinFolder) : folder_(std::move(skinFolder)) {}

    bool writeSkin(const SkinPalette& palette);
    const QString& failedFile() const { return failedFile_; }

private:
    bool save(const QImage& image, std::string_view fileName);
    // Writes a control's two images, each covering what the other draws.
    bool savePair(const std::pair<QImage, QImage>& images, std::span<const RestingFootprint::Placement> placements,
                  std::string_view firstFile, std::string_view secondFile);

    QString folder_;
    QString failedFile_;
};

} // namespace kestrel::skingen
