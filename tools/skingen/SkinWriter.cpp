#include "SkinWriter.h"

#include "ArtKit.h"
#include "ControlArt.h"
#include "DialogArt.h"
#include "RestingFootprint.h"
#include "WindowArt.h"

#include "skin/DialogLayout.h"
#include "skin/MainWindowLayout.h"
#include "skin/SkinFiles.h"

#include <QDir>
#include <QPainter>

#include <vector>

namespace kestrel::skingen {

bool SkinWriter::save(const QImage& image, std::string_view fileName)
{
    const QString path = folder_ + QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
    if (image.save(path, "PNG"))
        return true;
    failedFile_ = path;
    return false;
}

namespace {

using Placement = RestingFootprint::Placement;

// The window as the controls see it: the background with the page over it.
QImage windowBackdrop(const WindowArt& window)
{
    QImage backdrop = window.background().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&backdrop);
    painter.drawImage(0, 0, window.basicPage());
    return backdrop;
}

} // namespace

bool SkinWriter::savePair(const std::pair<QImage, QImage>& images, std::span<const Placement> placements,
                          std::string_view firstFile, std::string_view secondFile)
{
    const auto [first, second] = RestingFootprint::cover(images.first, images.second, placements);
    return save(first, firstFile) && save(second, secondFile);
}

bool SkinWriter::writeSkin(const SkinPalette& palette)
{
    if (!QDir().mkpath(folder_)) {
        failedFile_ = folder_;
        return false;
    }
    const ArtKit kit(palette);
    const WindowArt window(kit);
    const ControlArt controls(kit);
    const DialogArt dialogs(kit);
    using Glyph = ControlArt::WindowGlyph;
    const QImage backdrop = windowBackdrop(window);
    std::vector<QImage> sheets;
    for (const DialogArt::Sheet& sheet : DialogArt::kSheets)
        sheets.push_back(dialogs.sheet(sheet));

    std::vector<Placement> captionButtons{{backdrop, mainlayout::kOk.topLeft()},
                                          {backdrop, mainlayout::kApply.topLeft()},
                                          {backdrop, mainlayout::kCancel.topLeft()},
                                          {backdrop, mainlayout::kDefault.topLeft()}};
    std::vector<Placement> closeButtons{{backdrop, mainlayout::kClose.topLeft()}};
    for (const QImage& sheet : sheets) {
        captionButtons.push_back({sheet, dialoglayout::kOk.topLeft()});
        captionButtons.push_back({sheet, dialoglayout::kCancel.topLeft()});
        closeButtons.push_back({sheet, dialoglayout::kClose.topLeft()});
    }
    std::vector<Placement> dropDowns;
    for (int k = 1; k <= mainlayout::kKeyDropDownCount; ++k)
        dropDowns.push_back({backdrop, mainlayout::keyDropDown(k).topLeft()});
    std::vector<Placement> marks;
    std::vector<Placement> stageBoxes;
    std::vector<Placement> cells;
    for (int i = 1; i <= 4; ++i) {
        marks.push_back({backdrop, mainlayout::reportRateMark(i).topLeft()});
        stageBoxes.push_back({backdrop, mainlayout::stageSelectBox(i).topLeft()});
        for (int s = 1; s <= 12; ++s)
            cells.push_back({backdrop, mainlayout::dpiCell(i, s).topLeft()});
    }
    const Placement minimise[] = {{backdrop, mainlayout::kMinimise.topLeft()}};
    const Placement skins[] = {{backdrop, mainlayout::kSkins.topLeft()}};
    const Placement page[] = {{backdrop, mainlayout::kPageButton.topLeft()}};

    const auto pairOf = [](auto draw) { return std::make_pair(draw(false), draw(true)); };
    bool written = save(window.background(), skinfiles::kMain) && save(window.basicPage(), skinfiles::kBasicPage) &&
        savePair(pairOf([&](bool h) { return controls.windowButton(Glyph::Minimise, h); }), minimise,
                 skinfiles::kMinimiseNormal, skinfiles::kMinimiseOver) &&
        savePair(pairOf([&](bool h) { return controls.windowButton(Glyph::Close, h); }), closeButtons,
                 skinfiles::kCloseNormal, skinfiles::kCloseOver) &&
        savePair(pairOf([&](bool h) { return controls.windowButton(Glyph::Skins, h); }), skins,
                 skinfiles::kSkinsNormal, skinfiles::kSkinsOver) &&
        savePair(pairOf([&](bool h) { return controls.pageButton(h); }), page, skinfiles::kPageButtonNormal,
                 skinfiles::kPageButtonOver) &&
        savePair(pairOf([&](bool h) { return controls.captionButton(h); }), captionButtons,
                 skinfiles::kButtonNormal, skinfiles::kButtonOver) &&
        savePair(pairOf([&](bool h) { return controls.dropDownBox(h); }), dropDowns, skinfiles::kDropDownNormal,
                 skinfiles::kDropDownOver) &&
        savePair(pairOf([&](bool lit) { return controls.reportRateMark(lit); }), marks, skinfiles::kReportRateDark,
                 skinfiles::kReportRateLight) &&
        savePair(pairOf([&](bool lit) { return controls.dpiCell(lit); }), cells, skinfiles::kDpiCellDark,
                 skinfiles::kDpiCellLight) &&
        savePair(pairOf([&](bool ticked) { return controls.stageBox(ticked); }), stageBoxes, skinfiles::kStageOff,
                 skinfiles::kStageOn);
    for (std::size_t i = 0; i < DialogArt::kSheets.size(); ++i)
        written = written && save(sheets[i], DialogArt::kSheets[i].fileName);
    return written;
}

} // namespace kestrel::skingen
