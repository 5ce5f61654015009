#pragma once

#include "skin/SurfaceConditions.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace kestrel::skintest {

// A skin folder in a temporary directory, filled with solid-colour images.
class TestSkin {
public:
    TestSkin();

    const std::filesystem::path& folder() const { return folder_; }
    QString path(std::string_view fileName) const;
    // Writes a 32-bit image with alpha filled with the colour.
    void writeArgb(std::string_view fileName, QSize size, QColor colour) const;
    // Writes a 24-bit image without alpha.
    void writeRgb(std::string_view fileName, QSize size, QColor colour) const;
    void write(std::string_view fileName, const QImage& image) const;
    // Sets the file's modification time the given age into the past, as a
    // skin installed earlier has.
    void backdate(std::string_view fileName, std::chrono::seconds age) const;

private:
    QTemporaryDir dir_;
    std::filesystem::path folder_;
};

// Conditions set directly by the test.
struct FakeConditions final : SurfaceConditions {
    bool present = true;
    bool built = true;
    std::uint8_t sensor = 0;

    bool mousePresent() const override { return present; }
    bool pageBuilt() const override { return built; }
    std::uint8_t sensorType() const override { return sensor; }
};

// A black canvas of the given size, opaque like a loaded background.
QImage blackCanvas(QSize size);

} // namespace kestrel::skintest
