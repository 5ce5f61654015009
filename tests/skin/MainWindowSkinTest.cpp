#include "RecordingActions.h"
#include "SkinTestSupport.h"

#include "skin/BasicPageFrame.h"
#include "skin/MainWindowLayout.h"
#include "skin/MainWindowSkin.h"
#include "skin/SkinFiles.h"

#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace kestrel {
namespace {

using skintest::RecordingActions;

struct FixedCaptions final : SurfaceCaptions {
    QString buttonCaption(HoverId) const override { return "OK"; }
    QString keyCaption(int) const override { return "Left Click"; }
};

class MainWindowSkinTest : public ::testing::Test {
protected:
    MainWindowSkinTest()
    {
        skin.writeRgb(skinfiles::kMain, {900, 650}, QColor(20, 20, 20));
        skin.writeArgb(skinfiles::kCloseNormal, {18, 18}, QColor(0, 0, 255));
        skin.writeArgb(skinfiles::kCloseOver, {18, 18}, QColor(255, 0, 0));
        skin.writeArgb(skinfiles::kDropDownNormal, {211, 21}, QColor(0, 0, 90));
        skin.writeArgb(skinfiles::kDropDownOver, {211, 21}, QColor(90, 0, 0));
        settings.setSkin("Test", skin.folder(), Qt::white);
    }

    QRgb canvasAt(QPoint point) const { return surface.canvas().image().pixel(point); }

    skintest::TestSkin skin;
    skintest::FakeConditions conditions;
    RecordingActions actions;
    FixedCaptions captions;
    QWidget window;
    SkinSettings settings;
    MainWindowSkin surface{window, settings, conditions, actions, captions};
};

TEST_F(MainWindowSkinTest, TheWindowTakesTheSizeOfMainPng)
{
    ASSERT_TRUE(surface.loadBackground());
    EXPECT_EQ(window.size(), QSize(900, 650));
    EXPECT_EQ(canvasAt({450, 300}), qRgb(20, 20, 20));

    // Without main.png there is no canvas; the window's size is left to its owner.
    settings.setSkin("Test", skin.folder() / "absent", Qt::white);
    EXPECT_FALSE(surface.loadBackground());
    EXPECT_EQ(surface.canvas().size(), QSize(0, 0));
    EXPECT_EQ(window.size(), QSize(900, 650));
    EXPECT_FALSE(surface.compose().isActive());
}

TEST_F(MainWindowSkinTest, PaintingShowsTheCanvasAsLastComposed)
{
    ASSERT_TRUE(surface.loadBackground());
    {
        CanvasPainter dc = surface.compose();
        SkinPainter painter(dc, surface.style(), surface.images());
        surface.drawHoverItem(painter, HoverId::Close, false);
    }
    QImage shown(900, 650, QImage::Format_RGB32);
    shown.fill(Qt::white);
    QPainter windowPainter(&shown);
    surface.paint(windowPainter);
    windowPainter.end();
    EXPECT_EQ(shown.pixel(mainlayout::kClose.center()), qRgb(0, 0, 255));
    EXPECT_EQ(shown.pixel(450, 300), qRgb(20, 20, 20));
}

TEST_F(MainWindowSkinTest, HoverNoticesDrawOverAndNormalInOneComposition)
{
    ASSERT_TRUE(surface.loadBackground());
    surface.hover().hoverNotice(mainlayout::keyDropDown(2).center());
    const QPoint boxPixel = mainlayout::keyDropDown(2).topLeft() + QPoint(100, 1);
    EXPECT_EQ(canvasAt(boxPixel), qRgb(90, 0, 0));
    surface.hover().hoverNotice(mainlayout::keyDropDown(6).center());
    EXPECT_EQ(canvasAt(boxPixel), qRgb(0, 0, 90));
    EXPECT_EQ(canvasAt(mainlayout::keyDropDown(6).topLeft() + QPoint(100, 1)), qRgb(90, 0, 0));
    // The digit and the caption are drawn over the drop-down in the skin text colour.
    bool digitInk = false;
    const QRect digit(mainlayout::keyDropDown(6).topLeft(), QSize(20, 21));
    for (int x = digit.left(); x <= digit.right(); ++x)
        for (int y = digit.top(); y <= digit.bottom(); ++y)
            digitInk = digitInk || qRed(canvasAt({x, y})) > 200;
    EXPECT_TRUE(digitInk);

    surface.hover().mouseMoved({5, 300});
    EXPECT_EQ(canvasAt(mainlayout::keyDropDown(6).topLeft() + QPoint(100, 1)), qRgb(0, 0, 90));
}

TEST_F(MainWindowSkinTest, PressesReachTheDispatcherAndMovesTheHoverRules)
{
    ASSERT_TRUE(surface.loadBackground());
    surface.mousePressed(mainlayout::kMinimise.center());
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"minimise"}));
    EXPECT_TRUE(window.hasMouseTracking());
    surface.mouseMoved(mainlayout::kClose.center());
    EXPECT_TRUE(surface.hover().restTimer().isActive());
}

TEST_F(MainWindowSkinTest, ThePageAnswersItsRectanglesOnceSet)
{
    ASSERT_TRUE(surface.loadBackground());
    surface.mousePressed(mainlayout::kModeB.center());
    EXPECT_TRUE(actions.calls.empty());
    surface.setPageActions(&actions);
    surface.mousePressed(mainlayout::kModeB.center());
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"group 2"}));
}

TEST_F(MainWindowSkinTest, ThePageFrameDrawsArtworkButtonsAndTheShownKeyGroup)
{
    ASSERT_TRUE(surface.loadBackground());
    skin.writeRgb(skinfiles::kBasicPage, {900, 650}, QColor(30, 40, 50));
    skin.writeArgb(skinfiles::kButtonNormal, {105, 21}, QColor(0, 100, 0));
    skin.writeArgb(skinfiles::kButtonOver, {105, 21}, QColor(0, 200, 0));
    const TextTable texts = TextTable::forLanguage(Language::English);
    {
        CanvasPainter dc = surface.compose();
        SkinPainter painter(dc, surface.style(), surface.images());
        BasicPageFrame::draw(painter, surface, texts, KeyGroup::ModeB);
    }
    EXPECT_EQ(canvasAt({450, 120}), qRgb(30, 40, 50));
    EXPECT_EQ(canvasAt(mainlayout::kModeA.topLeft() + QPoint(2, 2)), qRgb(0, 100, 0));
    EXPECT_EQ(canvasAt(mainlayout::kModeB.topLeft() + QPoint(2, 2)), qRgb(0, 200, 0));
    EXPECT_EQ(canvasAt(mainlayout::kCancel.topLeft() + QPoint(2, 2)), qRgb(0, 100, 0));
    EXPECT_EQ(canvasAt(mainlayout::keyDropDown(7).topLeft() + QPoint(100, 1)), qRgb(0, 0, 90));
    EXPECT_EQ(canvasAt(mainlayout::kClose.topLeft() + QPoint(1, 1)), qRgb(0, 0, 255));
    bool titleInk = false;
    for (int x = mainlayout::kTitle.left(); x <= mainlayout::kTitle.right(); ++x)
        titleInk = titleInk || canvasAt({x, mainlayout::kTitle.center().y()}) == qRgb(0x42, 0x42, 0x42);
    EXPECT_TRUE(titleInk);
}

TEST_F(MainWindowSkinTest, HoverRedrawsDecodeOnlyWhatWasNeverDrawn)
{
    skin.backdate(skinfiles::kDropDownNormal, std::chrono::hours(1));
    skin.backdate(skinfiles::kDropDownOver, std::chrono::hours(1));
    ASSERT_TRUE(surface.loadBackground());
    surface.hover().hoverNotice(mainlayout::keyDropDown(1).center());
    surface.hover().hoverNotice(mainlayout::keyDropDown(2).center());
    EXPECT_EQ(surface.images().decodeCount(), 2u);
    for (int k = 1; k <= mainlayout::kKeyDropDownCount; ++k)
        surface.hover().hoverNotice(mainlayout::keyDropDown(k).center());
    surface.hover().mouseLeft();
    EXPECT_EQ(surface.images().decodeCount(), 2u);
    EXPECT_EQ(canvasAt(mainlayout::keyDropDown(7).topLeft() + QPoint(100, 1)), qRgb(0, 0, 90));
}

TEST_F(MainWindowSkinTest, ASkinChangeDropsTheOldSkinsImages)
{
    skin.backdate(skinfiles::kCloseNormal, std::chrono::hours(1));
    ASSERT_TRUE(surface.loadBackground());
    surface.hover().mouseLeft();
    {
        CanvasPainter dc = surface.compose();
        SkinPainter painter(dc, surface.style(), surface.images());
        surface.drawHoverItem(painter, HoverId::Close, false);
    }
    EXPECT_EQ(surface.images().imageCount(), 1u);

    skintest::TestSkin other;
    settings.setSkin("Other", other.folder(), Qt::white);
    EXPECT_EQ(surface.style().folder, other.folder());
    EXPECT_EQ(surface.images().imageCount(), 0u);
    EXPECT_EQ(surface.images().byteCount(), 0u);
}

// The whole basic page with every hover item drawn both ways, composed on a
// copy of the generated Default skin installed an hour ago.
class PageCompositionTest : public MainWindowSkinTest {
protected:
    PageCompositionTest()
    {
        const std::filesystem::path installed = std::filesystem::path(KESTREL_TEST_SKINS_DIR) / "Default";
        for (const auto& entry : std::filesystem::directory_iterator(installed)) {
            std::filesystem::copy_file(entry.path(), skin.folder() / entry.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
            skin.backdate("/" + entry.path().filename().string(), std::chrono::hours(1));
        }
    }

    QImage composed(SkinImageCache& images)
    {
        EXPECT_TRUE(surface.loadBackground());
        {
            CanvasPainter dc = surface.compose();
            SkinPainter painter(dc, surface.style(), images);
            BasicPageFrame::draw(painter, surface, texts, KeyGroup::ModeA);
            for (const HoverItem& item : kHoverItems)
                surface.drawHoverItem(painter, item.id, item.id == HoverId::KeyDropDown3);
        }
        return surface.canvas().image();
    }

    const TextTable texts = TextTable::forLanguage(Language::English);
};

TEST_F(PageCompositionTest, CachedImagesComposeEveryPixelAsDecodingEachDrawDoes)
{
    // A cache with no room keeps nothing: each draw decodes its file.
    SkinImageCache uncached(0);
    const QImage reference = composed(uncached);
    ASSERT_FALSE(reference.isNull());
    ASSERT_GT(uncached.decodeCount(), 10u);

    const QImage cold = composed(surface.images());
    const std::size_t decodes = surface.images().decodeCount();
    const QImage warm = composed(surface.images());
    EXPECT_EQ(surface.images().decodeCount(), decodes);
    ASSERT_EQ(warm.size(), reference.size());
    int differing = 0;
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x)
            differing += (cold.pixel(x, y) != reference.pixel(x, y)) + (warm.pixel(x, y) != reference.pixel(x, y));
    EXPECT_EQ(differing, 0);
}

TEST(BasicPageFrameTest, ButtonCaptionsComeFromTheTextTable)
{
    const TextTable english = TextTable::forLanguage(Language::English);
    const TextTable chinese = TextTable::forLanguage(Language::SimplifiedChinese);
    EXPECT_EQ(BasicPageFrame::buttonCaption(english, HoverId::Ok), QString::fromStdString(english.ok));
    EXPECT_EQ(BasicPageFrame::buttonCaption(english, HoverId::Apply), QString::fromStdString(english.apply));
    EXPECT_EQ(BasicPageFrame::buttonCaption(chinese, HoverId::Cancel), QString::fromStdString(chinese.cancel));
    EXPECT_EQ(BasicPageFrame::buttonCaption(chinese, HoverId::Default), QString::fromStdString(chinese.defaultKeys));
    EXPECT_NE(english.ok, chinese.ok);
    EXPECT_TRUE(BasicPageFrame::buttonCaption(english, HoverId::Close).isEmpty());
    EXPECT_TRUE(BasicPageFrame::buttonCaption(english, HoverId::KeyDropDown1).isEmpty());
}

} // namespace
} // namespace kestrel
