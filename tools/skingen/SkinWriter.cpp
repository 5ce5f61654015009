#include "SkinWriter.h"

#include "ArtKit.h"
#include "ControlArt.h"
#include "DialogArt.h"
#include "WindowArt.h"

#include <SkinFiles.h>

#include <QDir>

namespace kestrel::skingen {

bool SkinWriter::save(const QImage& image, std::string_view fileName)
{
    const QString path = folder_ + QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
    if (image.save(path, "PNG"))
        return true;
    failedFile_ = path;
    return false;
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
    bool written = save(window.background(), skinfiles::kMain) && save(window.basicPage(), skinfiles::kBasicPage) &&
                   save(controls.windowButton(Glyph::Minimise, false), skinfiles::kMinimiseNormal) &&
                   save(controls.windowButton(Glyph::Minimise, true), skinfiles::kMinimiseOver) &&
                   save(controls.windowButton(Glyph::Close, false), skinfiles::kCloseNormal) &&
                   save(controls.windowButton(Glyph::Close, true), skinfiles::kCloseOver) &&
                   save(controls.windowButton(Glyph::Skins, false), skinfiles::kSkinsNormal) &&
                   save(controls.windowButton(Glyph::Skins, true), skinfiles::kSkinsOver) &&
                   save(controls.pageButton(false), skinfiles::kPageButtonNormal) &&
                   save(controls.pageButton(true), skinfiles::kPageButtonOver) &&
                   save(controls.captionButton(false), skinfiles::kButtonNormal) &&
                   save(controls.captionButton(true), skinfiles::kButtonOver) &&
                   save(controls.dropDownBox(false), skinfiles::kDropDownNormal) &&
                   save(controls.dropDownBox(true), skinfiles::kDropDownOver) &&
                   save(controls.reportRateMark(false), skinfiles::kReportRateDark) &&
                   save(controls.reportRateMark(true), skinfiles::kReportRateLight) &&
                   save(controls.dpiCell(false), skinfiles::kDpiCellDark) &&
                   save(controls.dpiCell(true), skinfiles::kDpiCellLight) &&
                   save(controls.stageBox(false), skinfiles::kStageOff) &&
                   save(controls.stageBox(true), skinfiles::kStageOn);
    for (const DialogArt::Sheet& sheet : DialogArt::kSheets)
        written = written && save(dialogs.sheet(sheet), sheet.fileName);
    return written;
}

} // namespace kestrel::skingen
