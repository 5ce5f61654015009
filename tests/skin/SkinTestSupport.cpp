#include "SkinTestSupport.h"

namespace kestrel::skintest {

TestSkin::TestSkin() : folder_(dir_.path().toStdU16String()) {}

QString TestSkin::path(std::string_view fileName) const
{
    return dir_.path() + QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
}

void TestSkin::write(std::string_view fileName, const QImage& image) const { image.save(path(fileName), "PNG"); }

void TestSkin::writeArgb(std::string_view fileName, QSize size, QColor colour) const
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    write(fileName, image);
}

void TestSkin::writeRgb(std::string_view fileName, QSize size, QColor colour) const
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(colour);
    write(fileName, image);
}

void TestSkin::backdate(std::string_view fileName, std::chrono::seconds age) const
{
    const std::filesystem::path file(path(fileName).toStdU16String());
    std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - age);
}

QImage blackCanvas(QSize size)
{
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    return canvas;
}

} // namespace kestrel::skintest
