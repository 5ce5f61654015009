#include "SkinWriter.h"

#include "ArtKit.h"
#include "ControlArt.h"
#include "DialogArt.h"
#include "WindowArt.h"

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
    bool written = save(window.background(), "/main.png") && save(window.basicPage(), "/BasicSet2.png") &&
                   save(controls.windowButton(Glyph::Minimise, false), "/button-min-normal.png") &&
                   save(controls.windowButton(Glyph::Minimise, true), "/button-min-over.png") &&
                   save(controls.windowButton(Glyph::Close, false), "/button-close-normal.png") &&
                   save(controls.windowButton(Glyph::Close, true), "/button-close-over.png") &&
                   save(controls.windowButton(Glyph::Skins, false), "/button-Skins-normal.png") &&
                   save(controls.windowButton(Glyph::Skins, true), "/button-Skins-over.png") &&
                   save(controls.pageButton(false), "/button-PrePage-normal.png") &&
                   save(controls.pageButton(true), "/button-PrePage-over.png") &&
                   save(controls.captionButton(false), "/button-normal.png") &&
                   save(controls.captionButton(true), "/button-over.png") &&
                   save(controls.dropDownBox(false), "/DropdownBox-normal.png") &&
                   save(controls.dropDownBox(true), "/DropdownBox-over.png") &&
                   save(controls.reportRateMark(false), "/slider-RP-dark.png") &&
                   save(controls.reportRateMark(true), "/slider-RP-light.png") &&
                   save(controls.dpiCell(false), "/slider-DPI-dark.png") &&
                   save(controls.dpiCell(true), "/slider-DPI-light.png") &&
                   save(controls.stageBox(false), "/Pane.png") &&
                   save(controls.stageBox(true), "/PaneMakingTick.png");
    for (const DialogArt::Sheet& sheet : DialogArt::kSheets)
        written = written && save(dialogs.sheet(sheet), sheet.fileName);
    return written;
}

} // namespace kestrel::skingen
