#pragma once

#include "ArtKit.h"

#include "skin/SkinFiles.h"

#include <QImage>
#include <QSize>

#include <array>
#include <string_view>

namespace kestrel::skingen {

// The background images of the seven sub-dialogs. Each has the shared frame
// (title strip with the close button's place, footer with OK and Cancel),
// the fields under its native controls and a large glyph for its purpose.
class DialogArt {
public:
    enum class Kind { FireKey, HotKey, Media, SingleKey, SnipeKey, WindowsKey, Skins };

    struct Sheet {
        Kind kind;
        std::string_view fileName;
        int height;
    };

    static constexpr int kWidth = 380;
    // The Windows key dialog's list runs to y = 306, so its sheet is taller.
    static constexpr std::array<Sheet, 7> kSheets = {{
        {Kind::FireKey, skinfiles::kFireKeyDialog, 290},
        {Kind::HotKey, skinfiles::kHotKeyDialog, 290},
        {Kind::Media, skinfiles::kMediaDialog, 290},
        {Kind::SingleKey, skinfiles::kSingleKeyDialog, 290},
        {Kind::SnipeKey, skinfiles::kSnipeKeyDialog, 290},
        {Kind::WindowsKey, skinfiles::kWindowsKeyDialog, 312},
        {Kind::Skins, skinfiles::kSkinsDialog, 290},
    }};

    explicit DialogArt(const ArtKit& kit) : kit_(kit) {}

    QImage sheet(const Sheet& sheet) const;

private:
    void drawFrame(QPainter& painter, QSize size) const;
    void drawFields(QPainter& painter, Kind kind) const;
    void drawGlyph(QPainter& painter, Kind kind, const QRectF& box) const;
    // A drop-down face: the box for the chosen text and the chevron beside it.
    void face(QPainter& painter, const QRect& face, const QRect& textBox) const;
    void field(QPainter& painter, const QRect& box) const;

    const ArtKit& kit_;
};

} // namespace kestrel::skingen
