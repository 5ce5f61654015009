#include "IcoFile.h"

#include <QBuffer>
#include <QtEndian>

namespace kestrel {

namespace {

constexpr int kDirectorySize = 6;
constexpr int kEntrySize = 16;
constexpr int kBitmapHeaderSize = 40;
constexpr int kPngFromSize = 256;

void appendLittle16(QByteArray& out, quint16 value)
{
    const quint16 little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

void appendLittle32(QByteArray& out, quint32 value)
{
    const quint32 little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

QByteArray png(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

// A bitmap header with twice the height (colour rows, then the mask's), the
// colour rows bottom-up in BGRA, then an all-clear mask: alpha decides.
QByteArray bitmap(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int size = argb.width();
    const int maskStride = ((size + 31) / 32) * 4;
    QByteArray out;
    appendLittle32(out, kBitmapHeaderSize);
    appendLittle32(out, static_cast<quint32>(size));
    appendLittle32(out, static_cast<quint32>(size * 2));
    appendLittle16(out, 1);
    appendLittle16(out, 32);
    for (int field = 0; field < 6; ++field)
        appendLittle32(out, 0);
    for (int y = size - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < size; ++x)
            appendLittle32(out, row[x]);
    }
    out.append(QByteArray(maskStride * size, '\0'));
    return out;
}

} // namespace

QByteArray IcoFile::encode(const std::vector<QImage>& images)
{
    std::vector<QByteArray> pictures;
    for (const QImage& image : images)
        pictures.push_back(image.width() >= kPngFromSize ? png(image) : bitmap(image));

    QByteArray out;
    appendLittle16(out, 0);
    appendLittle16(out, 1);
    appendLittle16(out, static_cast<quint16>(images.size()));
    quint32 offset = kDirectorySize + kEntrySize * static_cast<quint32>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        // 0 stands for 256 in the one-byte size fields.
        const auto side = static_cast<char>(images[i].width() >= 256 ? 0 : images[i].width());
        out.append(side);
        out.append(side);
        out.append('\0');
        out.append('\0');
        appendLittle16(out, 1);
        appendLittle16(out, 32);
        appendLittle32(out, static_cast<quint32>(pictures[i].size()));
        appendLittle32(out, offset);
        offset += static_cast<quint32>(pictures[i].size());
    }
    for (const QByteArray& picture : pictures)
        out.append(picture);
    return out;
}

} // namespace kestrel
