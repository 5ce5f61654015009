#pragma once

#include "SkinPalette.h"

#include <QImage>
#include <QString>

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

    QString folder_;
    QString failedFile_;
};

} // namespace kestrel::skingen
