// Every control image that the window draws over the control's other image
// must leave exactly what it shows when drawn alone: the built skins,
// composed as the window composes them, every pixel compared.

#include "skin/DialogLayout.h"
#include "skin/SkinImage.h"
#include "skin/SkinImageCache.h"
#include "skin/MainWindowLayout.h"
#include "skin/SkinFiles.h"

#include <QImage>
#include <QPainter>
#include <QString>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace kestrel {
namespace {

struct ImagePair {
    std::string_view first;
    std::string_view second;
    std::vector<QRect> mainPlaces;
    std::vector<QRect> dialogPlaces;
};

QString skinFile(const std::string& skin, std::string_view file)
{
    return QString::fromUtf8(KESTREL_TEST_SKINS_DIR) + "/" + QString::fromStdString(skin)
        + QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size()));
}

QImage backdrop(const std::string& skin, std::initializer_list<std::string_view> layers, QSize size)
{
    QImage canvas(size, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    SkinImageCache images;
    for (const std::string_view layer : layers)
        EXPECT_TRUE(drawSkinImage(painter, images, skinFile(skin, layer), 0, 0)) << layer;
    return canvas;
}

QImage drawn(const QImage& under, const std::string& skin, std::initializer_list<std::string_view> files, QPoint at)
{
    QImage canvas = under;
    QPainter painter(&canvas);
    SkinImageCache images;
    for (const std::string_view file : files)
        drawSkinImage(painter, images, skinFile(skin, file), at.x(), at.y());
    return canvas;
}

// The first pixel where the images differ, as text; empty when none does.
std::string firstDifference(const QImage& a, const QImage& b)
{
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
        }
    }
    return {};
}

std::vector<ImagePair> pairs()
{
    using namespace mainlayout;
    std::vector<QRect> dropDowns, marks, stageBoxes, cells;
    for (int k = 1; k <= kKeyDropDownCount; ++k)
        dropDowns.push_back(keyDropDown(k));
    for (int i = 1; i <= 4; ++i) {
        marks.push_back(reportRateMark(i));
        stageBoxes.push_back(stageSelectBox(i));
        for (int s = 1; s <= 12; ++s)
            cells.push_back(dpiCell(i, s));
    }
    return {
        {skinfiles::kMinimiseNormal, skinfiles::kMinimiseOver, {kMinimise}, {}},
        {skinfiles::kCloseNormal, skinfiles::kCloseOver, {kClose}, {dialoglayout::kClose}},
        {skinfiles::kSkinsNormal, skinfiles::kSkinsOver, {kSkins}, {}},
        {skinfiles::kPageButtonNormal, skinfiles::kPageButtonOver, {kPageButton}, {}},
        {skinfiles::kButtonNormal, skinfiles::kButtonOver, {kOk, kApply, kCancel, kDefault},
         {dialoglayout::kOk, dialoglayout::kCancel}},
        {skinfiles::kDropDownNormal, skinfiles::kDropDownOver, dropDowns, {}},
        {skinfiles::kReportRateDark, skinfiles::kReportRateLight, marks, {}},
        {skinfiles::kDpiCellDark, skinfiles::kDpiCellLight, cells, {}},
        {skinfiles::kStageOff, skinfiles::kStageOn, stageBoxes, {}},
    };
}

void expectEachCoversTheOther(const QImage& under, const std::string& skin, const ImagePair& pair, QRect place)
{
    for (const auto& [last, before] : {std::pair(pair.first, pair.second), std::pair(pair.second, pair.first)}) {
        // Outside the control's rectangle nothing is drawn; inside, every pixel counts.
        const QImage alone = drawn(under, skin, {last}, place.topLeft()).copy(place);
        const QImage afterOther = drawn(under, skin, {before, last}, place.topLeft()).copy(place);
        EXPECT_EQ(firstDifference(afterOther, alone), "")
            << skin << ": " << last << " over " << before << " at " << place.x() << "," << place.y();
    }
}

TEST(ControlImagePairs, EachImageDrawnOverItsPartnerShowsAsItDoesAlone)
{
    const std::vector<std::string_view> sheets{skinfiles::kFireKeyDialog,  skinfiles::kHotKeyDialog,
                                               skinfiles::kMediaDialog,    skinfiles::kSingleKeyDialog,
                                               skinfiles::kSnipeKeyDialog, skinfiles::kWindowsKeyDialog,
                                               skinfiles::kSkinsDialog};
    for (const std::string skin : {"Default", "Crimson", "Glacier"}) {
        const QImage main = QImage(skinFile(skin, skinfiles::kMain));
        ASSERT_FALSE(main.isNull()) << skin;
        const QImage window = backdrop(skin, {skinfiles::kMain, skinfiles::kBasicPage}, main.size());
        for (const ImagePair& pair : pairs()) {
            for (const QRect& place : pair.mainPlaces)
                expectEachCoversTheOther(window, skin, pair, place);
            for (const std::string_view sheet : sheets) {
                const QImage dialog = backdrop(skin, {sheet}, QImage(skinFile(skin, sheet)).size());
                for (const QRect& place : pair.dialogPlaces)
                    expectEachCoversTheOther(dialog, skin, pair, place);
            }
        }
    }
}

} // namespace
} // namespace kestrel
