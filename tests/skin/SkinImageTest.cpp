#include "SkinTestSupport.h"

#include "skin/SkinImage.h"
#include "skin/SkinCanvas.h"
#include "skin/SkinImageCache.h"

#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

namespace kestrel {
namespace {

using skintest::TestSkin;

struct RecordingReporter final : MessageReporter {
    std::vector<std::string> messages;
    void showMessage(std::string_view text, std::string_view) override { messages.emplace_back(text); }
};

QRgb drawOnto(QImage& canvas, const QString& path, int x = 0, int y = 0)
{
    QPainter painter(&canvas);
    SkinImageCache images;
    drawSkinImage(painter, images, path, x, y);
    painter.end();
    return canvas.pixel(x, y);
}

TEST(SkinImageTest, BlendsPremultipliedImagesSourceOver)
{
    TestSkin skin;
    skin.writeArgb("/clear.png", {4, 4}, QColor(255, 255, 255, 0));
    skin.writeArgb("/half.png", {4, 4}, QColor(255, 255, 255, 128));

    QImage canvas = skintest::blackCanvas({8, 8});
    canvas.fill(QColor(12, 34, 56));
    EXPECT_EQ(drawOnto(canvas, skin.path("/clear.png")), qRgb(12, 34, 56));

    canvas.fill(Qt::black);
    EXPECT_EQ(drawOnto(canvas, skin.path("/half.png")), qRgb(128, 128, 128));
    // Drawn at its own size: the pixel beside the image is untouched.
    EXPECT_EQ(canvas.pixel(4, 4), qRgb(0, 0, 0));
}

TEST(SkinImageTest, PremultipliesWithTruncation)
{
    TestSkin skin;
    // 128 * 3 / 255 = 1.5: truncation gives 1 where rounding would give 2.
    skin.writeArgb("/faint.png", {1, 1}, QColor(128, 200, 255, 3));
    const auto image = decodeSkinImage(skin.path("/faint.png"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->format(), QImage::Format_ARGB32_Premultiplied);
    const QRgb pixel = image->pixel(0, 0);
    // pixel() unpremultiplies, so read the stored bytes.
    const QRgb stored = reinterpret_cast<const QRgb*>(image->constScanLine(0))[0];
    EXPECT_EQ(qRed(stored), 1);
    EXPECT_EQ(qGreen(stored), 2);
    EXPECT_EQ(qBlue(stored), 3);
    EXPECT_EQ(qAlpha(stored), 3);
    EXPECT_EQ(qAlpha(pixel), 3);
}

TEST(SkinImageTest, CopiesImagesWithoutAlphaOpaqueAndUnchanged)
{
    TestSkin skin;
    skin.writeRgb("/solid.png", {3, 3}, QColor(10, 200, 30));
    const auto image = decodeSkinImage(skin.path("/solid.png"));
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->hasAlphaChannel());
    EXPECT_EQ(image->pixel(1, 1), qRgb(10, 200, 30));

    QImage canvas = skintest::blackCanvas({4, 4});
    canvas.fill(Qt::white);
    EXPECT_EQ(drawOnto(canvas, skin.path("/solid.png"), 1, 1), qRgb(10, 200, 30));
}

TEST(SkinImageTest, FailsQuietlyInTheMainWindowForm)
{
    TestSkin skin;
    QFile garbage(skin.path("/garbage.png"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not an image");
    garbage.close();
    QImage canvas = skintest::blackCanvas({4, 4});
    QPainter painter(&canvas);
    SkinImageCache images;
    EXPECT_FALSE(drawSkinImage(painter, images, skin.path("/missing.png"), 0, 0));
    EXPECT_FALSE(drawSkinImage(painter, images, skin.path("/garbage.png"), 0, 0));
    painter.end();
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 0, 0));
}

TEST(SkinImageTest, ReportsEachFailureInTheDialogForm)
{
    TestSkin skin;
    skin.writeArgb("/ok.png", {2, 2}, Qt::red);
    RecordingReporter reporter;
    QImage canvas = skintest::blackCanvas({4, 4});
    QPainter painter(&canvas);
    SkinImageCache images;
    EXPECT_TRUE(drawSkinImage(painter, images, skin.path("/ok.png"), 0, 0, reporter));
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_FALSE(drawSkinImage(painter, images, skin.path("/missing.png"), 0, 0, reporter));
    EXPECT_FALSE(drawSkinImage(painter, images, skin.path("/missing.png"), 0, 0, reporter));
    EXPECT_EQ(reporter.messages, (std::vector<std::string>{"LoadPng---Load image failed.", "LoadPng---Load image failed."}));
}

TEST(SkinImageTest, AFileRewrittenJustNowIsDrawnNewAtOnce)
{
    TestSkin skin;
    skin.writeRgb("/changing.png", {2, 2}, Qt::red);
    QImage canvas = skintest::blackCanvas({2, 2});
    EXPECT_EQ(drawOnto(canvas, skin.path("/changing.png")), qRgb(255, 0, 0));
    skin.writeRgb("/changing.png", {2, 2}, Qt::blue);
    EXPECT_EQ(drawOnto(canvas, skin.path("/changing.png")), qRgb(0, 0, 255));
}

TEST(SkinImageTest, APipeADeviceOrAnOversizedFileIsNoImageAndNeverWaitedOn)
{
    TestSkin skin;
    ASSERT_EQ(::mkfifo((skin.folder() / "pipe.png").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", skin.folder() / "zero.png");
    skin.writeRgb("/huge.png", {2, 2}, Qt::red);
    std::filesystem::resize_file(skin.folder() / "huge.png", kMaxSkinImageFileSize + 1);
    skin.writeRgb("/ok.png", {2, 2}, Qt::red);

    for (const char* name : {"/pipe.png", "/zero.png", "/huge.png"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(readSkinImageFile(skin.path(name)).isNull());
        EXPECT_FALSE(decodeSkinImage(skin.path(name)));
        SkinCanvas canvas;
        EXPECT_FALSE(canvas.loadBackground(skin.path(name)));
    }
    EXPECT_EQ(readSkinImageFile(skin.path("/ok.png")).pixel(0, 0), qRgb(255, 0, 0));
}

} // namespace
} // namespace kestrel
