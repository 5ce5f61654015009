#pragma once

#include <QColor>
#include <QRgb>

#include <array>
#include <string_view>

namespace kestrel::skingen {

// The colours of one skin. Every skin shares the same artwork; only the
// palette differs, so a new skin is one more row in kSkinPalettes.
struct SkinPalette {
    std::string_view name;
    QRgb windowTop;       // window body, gradient top
    QRgb windowBottom;    // window body, gradient bottom
    QRgb titleBar;        // strip behind the window buttons
    QRgb cardTop;         // section panels, gradient top
    QRgb cardBottom;      // section panels, gradient bottom
    QRgb cardBorder;
    QRgb well;            // recessed grooves and fields
    QRgb wellBorder;
    QRgb control;         // resting face of buttons and boxes
    QRgb controlHover;    // face of a hovered button or box
    QRgb accent;          // the skin's signature colour
    QRgb accentBright;    // highlights on lit elements
    QRgb idle;            // unlit marks and cells
    QRgb icon;            // window-button glyphs at rest
    QRgb plateTop;        // light plate behind the dark page title
    QRgb plateBottom;
    QRgb danger;          // close button when hovered

    static QColor colour(QRgb rgb, int alpha = 255) { return QColor(qRed(rgb), qGreen(rgb), qBlue(rgb), alpha); }
};

inline constexpr std::array<SkinPalette, 3> kSkinPalettes = {{
    {"Default", 0xff16191f, 0xff0e1014, 0xff0b0c10, 0xff20242c, 0xff181b21, 0xff2f3540, 0xff0b0d11, 0xff2a303a,
     0xff262b34, 0xff323945, 0xffff8a1f, 0xffffc27a, 0xff2b303a, 0xffaab2bf, 0xffe4e8ee, 0xffb4bcc8, 0xffe5484d},
    {"Crimson", 0xff1a1416, 0xff100c0d, 0xff0c090a, 0xff261b1e, 0xff1c1416, 0xff3e2a2f, 0xff0d090a, 0xff35252a,
     0xff2e2226, 0xff3d2c31, 0xffe8324a, 0xffff8a98, 0xff34262a, 0xffc0aeb2, 0xffeee4e6, 0xffc4b2b6, 0xffff5a5f},
    {"Glacier", 0xff131a21, 0xff0b1016, 0xff090d12, 0xff1a242e, 0xff141c24, 0xff283644, 0xff080c10, 0xff243240,
     0xff202c38, 0xff2a3a4a, 0xff2ec5f0, 0xff9ae6ff, 0xff223040, 0xffa6b8c8, 0xffe2eaf0, 0xffb0c0cc, 0xffe5484d},
}};

} // namespace kestrel::skingen
