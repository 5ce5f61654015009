#include "SkinTestSupport.h"

#include "skin/SkinImage.h"
#include "skin/SkinImageCache.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrel {
namespace {

using namespace std::chrono_literals;
using skintest::TestSkin;

struct RecordingReporter final : MessageReporter {
    std::vector<std::string> messages;
    void showMessage(std::string_view text, std::string_view) override { messages.emplace_back(text); }
};

// A solid image written an hour ago, as every installed skin file is.
void writeOld(const TestSkin& skin, std::string_view fileName, QColor colour, std::chrono::seconds age = 1h)
{
    skin.writeArgb(fileName, {4, 4}, colour);
    skin.backdate(fileName, age);
}

QRgb colourOf(const std::optional<QImage>& image) { return image ? image->pixel(0, 0) : qRgba(0, 0, 0, 0); }

TEST(SkinImageCacheTest, AnUnchangedFileIsDecodedOnceAndGivenAsDecodeSkinImageGivesIt)
{
    TestSkin skin;
    skin.writeArgb("/half.png", {3, 2}, QColor(200, 100, 50, 128));
    skin.backdate("/half.png", 1h);
    SkinImageCache images;
    const std::optional<QImage> first = images.image(skin.path("/half.png"));
    const std::optional<QImage> second = images.image(skin.path("/half.png"));
    EXPECT_EQ(images.decodeCount(), 1u);
    EXPECT_EQ(images.imageCount(), 1u);
    ASSERT_TRUE(first && second);
    const std::optional<QImage> direct = decodeSkinImage(skin.path("/half.png"));
    ASSERT_TRUE(direct);
    EXPECT_EQ(*second, *direct);
    EXPECT_EQ(second->format(), QImage::Format_ARGB32_Premultiplied);
}

TEST(SkinImageCacheTest, AnEditedFileIsDecodedAgainAtItsNextDraw)
{
    TestSkin skin;
    writeOld(skin, "/edit.png", Qt::red, 2h);
    SkinImageCache images;
    EXPECT_EQ(colourOf(images.image(skin.path("/edit.png"))), qRgb(255, 0, 0));
    // Same size, a later modification time.
    writeOld(skin, "/edit.png", Qt::blue, 1h);
    EXPECT_EQ(colourOf(images.image(skin.path("/edit.png"))), qRgb(0, 0, 255));
    EXPECT_EQ(colourOf(images.image(skin.path("/edit.png"))), qRgb(0, 0, 255));
    EXPECT_EQ(images.decodeCount(), 2u);
}

TEST(SkinImageCacheTest, AFileModifiedJustNowIsNeverTrusted)
{
    // Two edits inside one timestamp tick leave the same stamp, so a file
    // that fresh is decoded at every draw until it has aged.
    TestSkin skin;
    skin.writeArgb("/fresh.png", {4, 4}, Qt::red);
    SkinImageCache images;
    EXPECT_EQ(colourOf(images.image(skin.path("/fresh.png"))), qRgb(255, 0, 0));
    skin.writeArgb("/fresh.png", {4, 4}, Qt::green);
    EXPECT_EQ(colourOf(images.image(skin.path("/fresh.png"))), qRgb(0, 255, 0));
    EXPECT_EQ(images.decodeCount(), 2u);
    EXPECT_EQ(images.imageCount(), 0u);
}

TEST(SkinImageCacheTest, ClearingDropsEveryImage)
{
    TestSkin skin;
    writeOld(skin, "/a.png", Qt::red);
    writeOld(skin, "/b.png", Qt::green);
    SkinImageCache images;
    images.image(skin.path("/a.png"));
    images.image(skin.path("/b.png"));
    EXPECT_EQ(images.imageCount(), 2u);
    EXPECT_GT(images.byteCount(), 0u);
    images.clear();
    EXPECT_EQ(images.imageCount(), 0u);
    EXPECT_EQ(images.byteCount(), 0u);
    images.image(skin.path("/a.png"));
    EXPECT_EQ(images.decodeCount(), 3u);
}

TEST(SkinImageCacheTest, AFileThatIsGoneOrNoLongerAnImageIsNeverServedFromTheCache)
{
    TestSkin skin;
    writeOld(skin, "/deleted.png", Qt::red);
    writeOld(skin, "/piped.png", Qt::red);
    writeOld(skin, "/grown.png", Qt::red);
    SkinImageCache images;
    for (const char* name : {"/deleted.png", "/piped.png", "/grown.png"})
        ASSERT_TRUE(images.image(skin.path(name))) << name;

    std::filesystem::remove(skin.folder() / "deleted.png");
    std::filesystem::remove(skin.folder() / "piped.png");
    ASSERT_EQ(::mkfifo((skin.folder() / "piped.png").c_str(), 0600), 0);
    std::filesystem::resize_file(skin.folder() / "grown.png", kMaxSkinImageFileSize + 1);
    skin.backdate("/grown.png", 1h);
    for (const char* name : {"/deleted.png", "/piped.png", "/grown.png"})
        EXPECT_FALSE(images.image(skin.path(name))) << name;
    EXPECT_EQ(images.imageCount(), 0u);
    EXPECT_EQ(images.byteCount(), 0u);
}

TEST(SkinImageCacheTest, FailuresAreReadAgainAndReportedAtEachDraw)
{
    TestSkin skin;
    ASSERT_EQ(::mkfifo((skin.folder() / "pipe.png").c_str(), 0600), 0);
    skin.writeRgb("/huge.png", {2, 2}, Qt::red);
    std::filesystem::resize_file(skin.folder() / "huge.png", kMaxSkinImageFileSize + 1);
    skin.backdate("/huge.png", 1h);
    SkinImageCache images;
    RecordingReporter reporter;
    QImage canvas = skintest::blackCanvas({4, 4});
    QPainter painter(&canvas);
    for (int draw = 0; draw < 2; ++draw) {
        for (const char* name : {"/missing.png", "/pipe.png", "/huge.png"})
            EXPECT_FALSE(drawSkinImage(painter, images, skin.path(name), 0, 0, reporter)) << name;
    }
    painter.end();
    EXPECT_EQ(reporter.messages, std::vector<std::string>(6, "LoadPng---Load image failed."));
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(0, 0, 0));
    // The oversized file was read at both draws; the pipe and the missing
    // file never get that far.
    EXPECT_EQ(images.decodeCount(), 2u);
    EXPECT_EQ(images.imageCount(), 0u);
}

TEST(SkinImageCacheTest, TheByteBudgetDropsTheLeastRecentlyDrawnFirst)
{
    TestSkin skin;
    for (const char* name : {"/a.png", "/b.png", "/c.png"})
        writeOld(skin, name, Qt::red);
    const std::size_t oneImage = 4 * 4 * 4;
    SkinImageCache images(2 * oneImage);
    images.image(skin.path("/a.png"));
    images.image(skin.path("/b.png"));
    images.image(skin.path("/a.png"));
    images.image(skin.path("/c.png"));
    EXPECT_EQ(images.decodeCount(), 3u);
    EXPECT_EQ(images.imageCount(), 2u);
    EXPECT_EQ(images.byteCount(), 2 * oneImage);
    images.image(skin.path("/a.png"));
    EXPECT_EQ(images.decodeCount(), 3u);
    images.image(skin.path("/b.png"));
    EXPECT_EQ(images.decodeCount(), 4u);

    // An image larger than the whole budget is drawn but never kept, and
    // pushes none of the others out.
    skin.writeArgb("/large.png", {8, 8}, Qt::green);
    skin.backdate("/large.png", 1h);
    EXPECT_EQ(colourOf(images.image(skin.path("/large.png"))), qRgb(0, 255, 0));
    EXPECT_EQ(images.imageCount(), 2u);
    images.image(skin.path("/a.png"));
    images.image(skin.path("/b.png"));
    EXPECT_EQ(images.decodeCount(), 5u);
}

} // namespace
} // namespace kestrel
