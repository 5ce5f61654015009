#include "IcoFile.h"

#include "app/WindowIcon.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <vector>

#include <gtest/gtest.h>

using namespace kestrel;

namespace {

const std::vector<int> kSizes = {16, 24, 32, 48, 256};

std::vector<QImage> drawnIcons()
{
    std::vector<QImage> images;
    for (const int size : kSizes)
        images.push_back(WindowIcon::draw(size));
    return images;
}

quint32 little32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// Every pixel, transparent ones included, compared as unpremultiplied ARGB.
void expectSamePixels(const QImage& decoded, const QImage& drawn)
{
    const QImage expected = drawn.convertToFormat(QImage::Format_ARGB32);
    const QImage actual = decoded.convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(actual.size(), expected.size());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            ASSERT_EQ(actual.pixel(x, y), expected.pixel(x, y)) << expected.width() << " px at " << x << ',' << y;
}

} // namespace

TEST(IcoFileTest, EveryPictureReadsBackAsDrawn)
{
    const std::vector<QImage> drawn = drawnIcons();
    QByteArray ico = IcoFile::encode(drawn);
    QBuffer buffer(&ico);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    ASSERT_EQ(reader.imageCount(), static_cast<int>(drawn.size()));
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        ASSERT_TRUE(reader.jumpToImage(static_cast<int>(i)));
        const QImage decoded = reader.read();
        ASSERT_FALSE(decoded.isNull()) << reader.errorString().toStdString();
        expectSamePixels(decoded, drawn[i]);
    }
}

TEST(IcoFileTest, TheDirectoryPointsAtEachPictureInTurn)
{
    const std::vector<QImage> drawn = drawnIcons();
    const QByteArray ico = IcoFile::encode(drawn);
    ASSERT_EQ(qFromLittleEndian<quint16>(ico.constData() + 2), 1) << "an icon, not a cursor";
    quint32 expectedOffset = 6 + 16 * static_cast<quint32>(drawn.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        const qsizetype entry = 6 + 16 * static_cast<qsizetype>(i);
        // One byte each; 0 stands for 256.
        EXPECT_EQ(static_cast<unsigned char>(ico[entry]), kSizes[i] % 256);
        const quint32 length = little32(ico, entry + 8);
        EXPECT_EQ(little32(ico, entry + 12), expectedOffset);
        expectedOffset += length;
    }
    EXPECT_EQ(expectedOffset, static_cast<quint32>(ico.size()));
    // The large picture is PNG, as Windows keeps it; the small ones bitmaps.
    const qsizetype largeEntry = 6 + 16 * static_cast<qsizetype>(drawn.size() - 1);
    EXPECT_TRUE(ico.mid(little32(ico, largeEntry + 12), 8).startsWith("\x89PNG"));
    EXPECT_EQ(little32(ico, little32(ico, 6 + 12)), 40u);
}
